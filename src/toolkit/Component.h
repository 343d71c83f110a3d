#pragma once
// Components: objects with an owner that destroys them, a name and a loading state. A form
// creates its components, sets their properties while loading, then calls Loaded on each;
// a component made while its owner loads is loading too. A component going away tells its
// owner (who tells what it owns) and whoever asked with FreeNotification.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum TComponentStateFlag : unsigned {
    csLoading = 1,
    csReading = 2,
    csDestroying = 4,
    csDesigning = 8, // never set: the program has no designer
};

enum TOperation { opInsert, opRemove };

class TComponent {
  public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Creates a component of type T owned by this one; T's constructor takes the owner first.
    template <typename T, typename... Args>
    T* Make(Args&&... args) {
        auto made = std::make_unique<T>(this, std::forward<Args>(args)...);
        T* raw = made.get();
        components_.push_back(std::move(made));
        Notification(raw, opInsert);
        return raw;
    }
    // Takes ownership of a component made elsewhere (its Owner must be this).
    TComponent* Adopt(std::unique_ptr<TComponent> component);

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    virtual const char* ClassName() const { return "TComponent"; }

    unsigned ComponentState() const { return state_; }
    bool Loading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    bool Designing() const { return (state_ & csDesigning) != 0; }
    // Marks this component and everything it owns as going away. The most derived destructor
    // calls it first, before any window or member goes.
    void Destroying();
    // Destroys the owned components, the last made first: later ones may refer to earlier ones.
    void DestroyComponents();

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(size_t(index)).get(); }
    TComponent* FindComponent(std::string_view name) const;

    // Marks this component and everything it owns as being read.
    void BeginLoading();
    // Calls Loaded on every owned component, in creation order, and then on this one.
    void EndLoading();

    // `other` is told (Notification with opRemove) when this component goes.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

  protected:
    // After all properties are set; clears the loading state.
    virtual void Loaded();
    // A component was made for this owner (opInsert), or one this component knows of goes
    // (opRemove). The base passes a removal on to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);

  private:
    void Unlink(TComponent* other);

    TComponent* owner_;
    std::string name_;
    unsigned state_ = 0;
    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<TComponent*> freeNotifies_; // both ways: who is told of whom
};
