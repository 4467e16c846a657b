// How deep the elements of an XML text nest, found in one pass without recursion. The
// settings file is parsed by TinyXML, which recurses once per nested element (and once more
// to free it), so a text nested thousands deep overflows the stack; its reader measures the
// nesting first and refuses a text deeper than a settings file can be.
#pragma once
#include <cstddef>
#include <string_view>

// The deepest nesting of elements (0 for none) as TinyXML reads the UTF-8 text: its tags,
// character references, comments, CDATA sections, declarations and other markup ended
// where TinyXML ends them, so that no element it would make is missed. An element left
// open counts to the end.
std::size_t xmlNestingDepth(std::string_view text);
