#include "toolkit/component.h"

#include <algorithm>

namespace tk {

Component::Component(Component* owner, std::string name) : owner_(owner), name_(std::move(name)) {}

Component::~Component() { DestroyComponents(); }

void Component::DestroyComponents() {
  destroying_ = true;
  while (!owned_.empty()) {
    std::unique_ptr<Component> last = std::move(owned_.back());
    owned_.pop_back();
    last.reset();
  }
}

Component* Component::Adopt(std::unique_ptr<Component> component) {
  component->owner_ = this;
  owned_.push_back(std::move(component));
  return owned_.back().get();
}

std::unique_ptr<Component> Component::Release(Component* component) {
  auto it = std::find_if(owned_.begin(), owned_.end(), [&](const auto& p) { return p.get() == component; });
  if (it == owned_.end()) return nullptr;
  std::unique_ptr<Component> out = std::move(*it);
  owned_.erase(it);
  out->owner_ = nullptr;
  return out;
}

Component* Component::FindComponent(const std::string& name) const {
  for (const auto& c : owned_)
    if (c->Name() == name) return c.get();
  return nullptr;
}

}  // namespace tk
