// Splitting a delimited text into its pieces, as the template description's lists are stored.
#pragma once

#include <string>
#include <vector>

namespace vorlix {

// Pieces between occurrences of `delimiter`, in order. Empty pieces inside the text stay; an
// empty piece at the end does not ("a,,b" -> a, "", b; "a,b," -> a, b; "" -> none). An empty
// delimiter cannot separate anything: the whole text is the one piece.
std::vector<std::wstring> splitList(const std::wstring& text, const std::wstring& delimiter);

// splitList, each piece converted by decimalInteger().
std::vector<int> splitIntegers(const std::wstring& text, const std::wstring& delimiter);

// Leading blanks skipped, an optional sign, then the digits up to the first other character;
// no digits gives 0. Values beyond the int range are clamped to it.
int decimalInteger(const std::wstring& piece);

}  // namespace vorlix
