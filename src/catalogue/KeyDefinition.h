#pragma once
// One button of a mouse model as its description file states it, and the default binding built from
// it.

#include <string>
#include <string_view>

#include "storage/KeyBinding.h"

namespace vellomir {

// A point of a key label on the model's picture, in picture pixels.
struct KeyPoint {
    int x = 0;
    int y = 0;
    bool operator==(const KeyPoint&) const = default;
};

// The label line of a key on the picture: `rect` holds "x1#x2#y", so the label runs from (x1, y) to
// (x2, y).
struct KeyRect {
    int x1 = 0;
    int x2 = 0;
    int y = 0;
    KeyPoint From() const { return {x1, y}; }
    KeyPoint To() const { return {x2, y}; }
    bool operator==(const KeyRect&) const = default;
};

// Splits a `rect` text at its first two '#' into x1, x2 and y, each read like _wtoi. Text after a third
// '#' is ignored. A split that finds no '#' yields an empty piece (0) and leaves the rest whole: with a
// single '#', x2 is 0 and y comes from the second number; with none, x1 and x2 are 0 and y is the number.
KeyRect ParseKeyRect(std::string_view rect);

// One `key` element of a description file, as written.
struct DescriptionKey {
    std::string name;       // text id of the key's name, as written
    int key_value = 0;      // the key code the mouse uses for this button
    int direction = 0;      // which way the label points on the picture
    KeyRect rect;           // label line on the picture
    std::string func_desc;  // text id of the default function's name, as written
    int func_type = 0;      // default function group (binding type)
    int func_value = 0;     // default function code inside the group
    bool operator==(const DescriptionKey&) const = default;
};

// The default binding of a button: a key binding record (same fields, same order), owning its texts,
// so the key page and the key stores take the model's defaults as they are.
using KeyDefinition = KeyBinding;

// key_code and layout_value from key_value, layout_desc from name, macro_type/macro_value from
// func_type/func_value, macro_desc from func_desc; everything else 0.
KeyDefinition MakeKeyDefinition(const DescriptionKey& key);

}  // namespace vellomir
