#pragma once

#include <string>
#include <string_view>

// A line of a rules text as the report shows it, in UTF-8. The games wrote their rules texts
// in the Windows-1252 code page, and an editor of today may have saved one in UTF-8: a line
// that is UTF-8 throughout stays as it is, any other is read as Windows-1252, whose five
// undefined bytes become U+FFFD. A line is taken whole, since one text may hold lines of
// both. Escaping and control characters are left to the HTML writer.
std::string rulesLineText(std::string_view line);
