#pragma once

namespace oruhr {

// Which HR documents the document window lists.
enum class DocumentListMode { Temporary, Final };

} // namespace oruhr
