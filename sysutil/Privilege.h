// Brim::AdjustPrivilege: switching a named privilege of the process token on or off.
//
// Named token privileges ("SeShutdownPrivilege") exist on the NT platform only. There the
// process token is opened for adjustment and query, the privilege looked up by name and set
// to the given attributes. Linux grants such rights through capabilities and polkit rules
// that a process cannot switch on for itself, so there every request fails.
// Stateless; safe on any thread.
#pragma once

#include <cstdint>

namespace Brim {

constexpr std::uint32_t PrivilegeEnabled = 2;
constexpr std::uint32_t PrivilegeRemoved = 4;

// Sets the privilege called name to attributes (PrivilegeEnabled, PrivilegeRemoved); true
// only when every step succeeds and the token really holds the privilege. A null name, and
// any request on a platform other than NT, gives false.
bool AdjustPrivilege(const char* name, std::uint32_t attributes);

}  // namespace Brim
