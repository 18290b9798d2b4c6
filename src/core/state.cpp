#include "core/state.h"

namespace wagedesk {

std::string VariantNumber::formatted(std::string_view pattern) const
{
    if (kind == Kind::Double)
        return legacy::format(value, pattern);
    return legacy::format(static_cast<float>(value), pattern);
}

}  // namespace wagedesk
