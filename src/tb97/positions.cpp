#include "tb97/tb97.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "core/regint.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/registry.h"

// ---------------------------------------------------------------------------
// Position persistence

namespace {

std::optional<std::string> ReadText(tk::Registry& reg, const std::string& name) {
  if (!reg.ValueExists(name)) return std::nullopt;
  return reg.ReadString(name);
}

}  // namespace

void LoadToolbarPositions(tk::Component* form, const std::string& keyPath) {
  tk::Registry reg;
  if (!reg.OpenKey(keyPath, true)) return;
  reg.CloseKey();
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* bar = dynamic_cast<TToolbar97*>(form->Components(i));
    if (!bar) continue;
    tk::Registry section;
    if (!section.OpenKeyReadOnly(keyPath + "\\" + bar->Name())) continue;
    bar->SetShown(core::RegIntFromValue(ReadText(section, "Visible"), bar->Shown() ? 1 : 0) != 0);
    bar->DockRow = core::RegIntFromValue(ReadText(section, "DockRow"), bar->DockRow);
    bar->DockPos = std::max(0, core::RegIntFromValue(ReadText(section, "DockPos"), bar->DockPos));
    if (bar->DockedTo()) bar->DockedTo()->RearrangeBars();
  }
}

void SaveToolbarPositions(tk::Component* form, const std::string& keyPath) {
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* bar = dynamic_cast<TToolbar97*>(form->Components(i));
    if (!bar) continue;
    tk::Registry section;
    if (!section.OpenKey(keyPath + "\\" + bar->Name(), true)) continue;
    section.WriteString("Rev", "2");
    section.WriteString("Visible", bar->Shown() ? "1" : "0");
    TDock97* dock = bar->DockedTo();
    section.WriteString("DockedTo", dock ? (dock->AllowDrag ? dock->Name() : std::string()) : std::string("+"));
    section.WriteString("DockRow", std::to_string(bar->DockRow));
    section.WriteString("DockPos", std::to_string(bar->DockPos));
    section.WriteString("FloatLeft", "0");
    section.WriteString("FloatTop", "0");
    section.WriteString("FloatRightX", "0");
  }
}
