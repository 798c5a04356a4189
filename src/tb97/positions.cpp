#include "tb97/positions.h"

#include <optional>
#include <vector>

#include "core/tb97/positions.h"
#include "tb97/dock.h"
#include "tb97/toolwindow.h"
#include "toolkit/errors.h"
#include "toolkit/registry.h"

namespace tb = core::tb97;

namespace {

// A value of the open section as text; a missing one, or one of another
// type than text, counts as missing, so that no stored value can keep the
// frame from starting.
std::optional<std::string> ReadText(HKEY key, std::string_view name) {
  if (!key) return std::nullopt;
  DWORD type = 0, size = 0;
  const std::string n(name);
  if (::RegQueryValueExA(key, n.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  // Positions are short numbers; a huge value is no number either.
  if (size > 4096) return std::string("?");
  std::string text(size, '\0');
  if (::RegQueryValueExA(key, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  text.resize(std::min<size_t>(size, text.size()));
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

template <class T>
std::vector<T*> ComponentsOf(tk::Component* form) {
  std::vector<T*> out;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* c = dynamic_cast<T*>(form->Components(i))) out.push_back(c);
  return out;
}

}  // namespace

void LoadToolbarPositions(tk::Component* form, const std::string& keyPath) {
  tk::Registry root;
  if (!root.OpenKey(keyPath, true)) throw tk::RegistryError("Cannot create the key " + keyPath);
  const std::vector<TDock97*> docks = ComponentsOf<TDock97>(form);
  std::vector<tb::DockInfo> dockInfo;
  for (TDock97* d : docks) {
    ++d->ArrangeLockCount;
    dockInfo.push_back({d->Name(), d->AllowDrag()});
  }
  struct Unlock {
    const std::vector<TDock97*>& docks;
    ~Unlock() {
      for (auto it = docks.rbegin(); it != docks.rend(); ++it) {
        --(*it)->ArrangeLockCount;
        (*it)->RearrangeBars();
      }
    }
  } unlock{docks};

  for (TCustomToolWindow97* w : ComponentsOf<TCustomToolWindow97>(form)) {
    if (w->Name().empty()) throw tb::PositionError("Cannot restore tool window's position because Name property is not set");
    tk::Registry section;
    const bool open = section.OpenKeyReadOnly(keyPath + "\\" + w->Name());
    HKEY key = open ? section.CurrentKey() : nullptr;
    const tb::ReadValue read = [key](std::string_view name) { return ReadText(key, name); };
    const tb::LoadedPosition p = tb::ReadPosition(w->Name(), read, {w->Shown(), w->DockRow(), w->DockPos()}, dockInfo);
    if (p.action == tb::LoadedPosition::Action::Ignore) continue;
    w->SetShown(p.visible);
    if (p.action == tb::LoadedPosition::Action::Stay) continue;
    w->TakePlace(p.dockRow, p.dockPos);
    w->FloatLeft = p.floatLeft;
    w->FloatTop = p.floatTop;
    w->LoadExtraPosition(read);
    if (p.action == tb::LoadedPosition::Action::Dock) {
      w->SetDockedTo(docks[p.dock]);
    } else {
      w->SetDockedTo(nullptr);
      w->MoveOnScreen(true);
    }
    w->ExtraPositionLoaded();
  }
}

void SaveToolbarPositions(tk::Component* form, const std::string& keyPath) {
  tk::Registry root;
  if (!root.OpenKey(keyPath, true)) throw tk::RegistryError("Cannot create the key " + keyPath);
  for (TCustomToolWindow97* w : ComponentsOf<TCustomToolWindow97>(form)) {
    tb::SavedPlace place;
    place.name = w->Name();
    place.visible = w->Shown();
    if (TDock97* d = w->DockedTo()) place.dock = tb::DockInfo{d->Name(), d->AllowDrag()};
    place.dockRow = w->DockRow();
    place.dockPos = w->DockPos();
    place.floatLeft = w->FloatLeft;
    place.floatTop = w->FloatTop;
    std::vector<tb::PositionValue> values = tb::PositionValues(place);
    w->SaveExtraPosition(values);
    tk::Registry section;
    if (!section.OpenKey(keyPath + "\\" + w->Name(), true))
      throw tk::RegistryError("Cannot create the key " + keyPath + "\\" + w->Name());
    for (const tb::PositionValue& v : values) section.WriteString(v.name, v.text);
  }
}
