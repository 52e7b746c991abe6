#pragma once
// Root of the engine's class tree: every object can tell its class name, which error messages quote
// ("Impossible d'affecter TGmValuePoint à TGmValueSize").

#include <string>

namespace plat {

class Object {
public:
    virtual ~Object() = default;
    virtual std::string ClassName() const = 0;
};

// Objects that can copy their state from another object of a compatible kind. Assign asks the source to
// assign itself to the destination; when neither side knows the other, the conversion error is raised
// and the destination is left unchanged.
class Persistent : public Object {
public:
    // Copies Source into this object; Source may be null ("nil" in the message).
    virtual void Assign(const Persistent* source);

protected:
    // Called by Assign when this object does not know Source: lets Source write itself into Destination.
    virtual void AssignTo(Persistent* destination) const;
    [[noreturn]] void AssignError(const Persistent* source) const;
};

} // namespace plat

// Declares ClassName() for a class named Name.
#define PLAT_CLASS_NAME(Name) \
    std::string ClassName() const override { return #Name; }
