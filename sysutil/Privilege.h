// Brim::AdjustPrivilege: switching a named privilege of the process token on or off.
//
// Named token privileges ("SeShutdownPrivilege") exist on the NT platform only. Linux grants
// such rights through capabilities and polkit rules that a process cannot switch on for
// itself, so here every request fails. Stateless; safe on any thread.
#pragma once

#include <cstdint>

namespace Brim {

constexpr std::uint32_t PrivilegeEnabled = 2;
constexpr std::uint32_t PrivilegeRemoved = 4;

// Sets the privilege called name to attributes (PrivilegeEnabled, PrivilegeRemoved); true
// only when every step succeeds. Always false on this platform.
bool AdjustPrivilege(const char* name, std::uint32_t attributes);

} // namespace Brim
