#include "TRECode.h"

#include <algorithm>

#include "toolkit/application.h"

TSRichEdit::TSRichEdit(tk::Component* owner, std::string name, std::unique_ptr<EditSurface> surface)
    : Component(owner, std::move(name)), surface_(surface ? std::move(surface) : MakeOwnSurface()) {
  // The surface's events reach the gateway's handlers, each inside the
  // error border: a handler's exception ends the handler, never the message.
  auto forward = [](auto& handler) {
    return [&handler](auto... args) {
      if (handler) tk::Guarded([&] { handler(args...); });
    };
  };
  surface_->OnKeyDown = forward(OnKeyDown);
  surface_->OnMouseDown = forward(OnMouseDown);
  surface_->OnSelectionChange = forward(OnSelectionChange);
  surface_->OnContextPopup = forward(OnContextPopup);
  surface_->OnVScroll = forward(OnVScroll);
  surface_->OnHScroll = forward(OnHScroll);
}

TSRichEdit::~TSRichEdit() = default;

void TSRichEdit::CreateIn(HWND parent) {
  surface_->CreateIn(parent);
  SetWordWrap(wordWrap_);
}

void TSRichEdit::FillParent() { surface_->FillParent(); }
bool TSRichEdit::HandleNotify(const NMHDR* header) { return surface_->HandleNotify(header); }

std::string TSRichEdit::Text() const { return surface_->Text(); }
void TSRichEdit::SetText(std::string_view text) { surface_->SetText(text); }
void TSRichEdit::LoadText(std::string text) { surface_->LoadText(std::move(text)); }
std::int64_t TSRichEdit::TextLength() const { return surface_->TextLength(); }
std::string TSRichEdit::TextRange(std::int64_t from, std::int64_t to) const { return surface_->TextRange(from, to); }

std::int64_t TSRichEdit::SelStart() const { return surface_->SelStart(); }
std::int64_t TSRichEdit::SelLength() const { return surface_->SelLength(); }
void TSRichEdit::SetSel(std::int64_t start, std::int64_t end) { surface_->SetSel(start, end); }
void TSRichEdit::ReplaceSel(std::string_view text, bool canUndo) { surface_->ReplaceSel(text, canUndo); }

std::int64_t TSRichEdit::LineCount() const { return surface_->LineCount(); }
std::int64_t TSRichEdit::LineFromChar(std::int64_t pos) const { return surface_->LineFromChar(pos); }
std::int64_t TSRichEdit::LineIndex(std::int64_t line) const { return surface_->LineIndex(line); }
std::int64_t TSRichEdit::LineLength(std::int64_t pos) const { return surface_->LineLength(pos); }

void TSRichEdit::MoveToLine(std::int64_t line) {
  std::int64_t last = LineCount() - 1;
  line = std::max<std::int64_t>(0, std::min(line, last));
  std::int64_t at = std::max<std::int64_t>(LineIndex(line), 0);
  SetSel(at, at);
}

std::int64_t TSRichEdit::FindWordBreak(int code, std::int64_t pos) const {
  return surface_->FindWordBreak(code, pos);
}

std::int64_t TSRichEdit::Find(std::string_view what, std::int64_t from, std::int64_t to, bool matchCase,
                              bool wholeWord) const {
  return surface_->Find(what, from, to, matchCase, wholeWord);
}

bool TSRichEdit::Modified() const { return surface_->Modified(); }
void TSRichEdit::SetModified(bool modified) { surface_->SetModified(modified); }
bool TSRichEdit::CanUndo() const { return surface_->CanUndo(); }
void TSRichEdit::Undo() { surface_->Undo(); }
void TSRichEdit::Cut() { surface_->Cut(); }
void TSRichEdit::Copy() { surface_->Copy(); }
void TSRichEdit::Paste() { surface_->Paste(); }
void TSRichEdit::ClearSelection() { surface_->ClearSelection(); }

void TSRichEdit::SetFont(const core::FontSpec& font) {
  font_ = font;
  surface_->SetFont(font);
}

void TSRichEdit::SetBackground(core::Color color) { surface_->SetBackground(color); }

void TSRichEdit::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  if (surface_->Handle()) surface_->SetWordWrap(wrap);
}

void TSRichEdit::SetVisible(bool visible) { surface_->SetVisible(visible); }
