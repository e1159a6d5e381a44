// A dump file's bytes as text: the identity report may come in any of its encodings.
#pragma once

#include <string>
#include <string_view>

namespace zvt
{

// The dump's bytes as single-byte text: a UTF-8 mark dropped, UTF-16 (told by its mark or by the zero
// bytes of ASCII text) narrowed, characters above 0xFF replaced by '?'.
std::string NarrowDumpText(std::string_view bytes);

} // namespace zvt
