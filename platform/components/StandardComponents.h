#pragma once

namespace oruhr {

class ComponentRegistry;

// Registers the program's stand-ins for the host product's components under their
// identifiers. The host program calls it on its control's session.
void registerStandardComponents(ComponentRegistry &registry);

} // namespace oruhr
