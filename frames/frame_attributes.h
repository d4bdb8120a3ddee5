// A frame's title-block attributes by tag. Tags compare exactly: whole text, case-sensitive,
// no trimming. The first attribute of a repeated tag is the one read and written.
#pragma once

#include <map>
#include <string>

#include "acdb.h"

namespace vorlix {

using AttributeMap = std::map<std::wstring, std::wstring>;

// Tag -> text of a block reference; empty for anything that does not open or is not one.
AttributeMap readAttributeMap(AcDbObjectId id);
// The text of a tag, empty when the map has no such tag.
std::wstring attributeText(const AttributeMap& map, const std::wstring& tag);
// Gives the first attribute with the tag the text; false when none matched or the object is
// not a block reference. Only the text changes.
bool writeAttribute(AcDbObjectId id, const std::wstring& tag, const std::wstring& text);
// Every attribute whose tag is a key of `content` gets that key's text; others stay as they
// are. Returns how many attributes were written.
int fillAttributes(AcDbObjectId id, const AttributeMap& content);

}  // namespace vorlix
