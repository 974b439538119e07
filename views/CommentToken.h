#pragma once
// Cutting a comment into the pieces that the detail row wraps: words and single delimiters.

#include "platform/base/String.h"

// The token that starts at position, which moves past it: characters up to and including the
// first space, full stop or line feed, carriage returns left out. A delimiter that ends a
// longer token is left for the next one, so every delimiter is a token of its own. An empty
// token means the text has ended.
CString NextCommentToken(const CString& text, int& position);
