// Components: named objects owned by another component (usually a form).
// The owner releases what it owns, newest first.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tk {

class Component {
 public:
  explicit Component(Component* owner = nullptr, std::string name = {});
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  Component* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // Creates a component owned by this one and returns it.
  template <class T, class... Args>
  T* Create(Args&&... args) {
    auto owned = std::make_unique<T>(this, std::forward<Args>(args)...);
    T* raw = owned.get();
    Adopt(std::move(owned));
    return raw;
  }
  // Takes over a component created elsewhere; its owner becomes this one.
  Component* Adopt(std::unique_ptr<Component> component);
  // Gives up ownership of a component without destroying it.
  std::unique_ptr<Component> Release(Component* component);

  Component* FindComponent(const std::string& name) const;
  int ComponentCount() const { return static_cast<int>(owned_.size()); }
  Component* Components(int i) const { return owned_[static_cast<size_t>(i)].get(); }

  // True from the start of destruction: components check it before touching
  // siblings that may already be gone.
  bool Destroying() const { return destroying_; }

 protected:
  void DestroyComponents();

 private:
  Component* owner_;
  std::string name_;
  std::vector<std::unique_ptr<Component>> owned_;
  bool destroying_ = false;
};

}  // namespace tk
