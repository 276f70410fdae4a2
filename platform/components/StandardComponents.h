#pragma once

namespace oruhr {

// Registers the program's stand-ins for the host product's components under their
// identifiers. The host program calls it once at start-up.
void registerStandardComponents();

} // namespace oruhr
