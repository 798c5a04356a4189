#include "Recents.h"

// Placeholder: the list keeps its entries in memory only.
TMruList::TMruList(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {}
TMruList::~TMruList() = default;
TMruOptions TMruList::Options() const { return model_.Options(); }
void TMruList::SetOptions(TMruOptions options) { model_.SetOptions(options); }
core::MruStyle TMruList::Style() const { return model_.Style(); }
void TMruList::SetStyle(core::MruStyle style) { model_.SetStyle(style); }
core::MruPosition TMruList::Position() const { return model_.Position(); }
void TMruList::SetPosition(core::MruPosition position) { model_.SetPosition(position); }
void TMruList::SetAnchor(tk::MenuItem* anchor) { anchor_ = anchor; }
int TMruList::MaxShowCount() const { return model_.MaxShowCount(); }
void TMruList::SetMaxShowCount(int count) { model_.SetMaxShowCount(count); }
int TMruList::MaxSaveCount() const { return model_.MaxSaveCount(); }
void TMruList::SetMaxSaveCount(int count) { model_.SetMaxSaveCount(count); }
void TMruList::SetRegIniKey(const std::string& key) { regIniKey_ = key; }
void TMruList::Loaded() { loading_ = false; }
void TMruList::AddItem(const std::string& path) { model_.AddItem(path); }
void TMruList::UnselectItem(const std::string& path) { model_.UnselectItem(path); }
int TMruList::IndexOfItem(const std::string& path) const { return model_.IndexOfItem(path); }
void TMruList::LoadFromRegistry() {}
void TMruList::SaveToRegistry() {}
void TMruList::RebuildMenu() {}
const std::vector<core::MruEntry>& TMruList::Entries() const { return model_.Entries(); }
