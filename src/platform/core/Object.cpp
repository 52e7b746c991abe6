#include "Object.h"

#include "Exceptions.h"

namespace plat {

void Persistent::Assign(const Persistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void Persistent::AssignTo(Persistent* destination) const
{
    destination->AssignError(this);
}

void Persistent::AssignError(const Persistent* source) const
{
    throw EConvertError::CannotAssign(source ? source->ClassName() : std::string("nil"), ClassName());
}

} // namespace plat
