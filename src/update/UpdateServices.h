#pragma once
// What the update jobs work with: the transfer object, the state, the view and the language texts.

#include "update/HttpTransfer.h"
#include "update/UpdateState.h"
#include "update/UpdateView.h"

namespace vellomir {

struct UpdateServices {
    HttpTransfer& http;
    UpdateState& state;
    UpdateView& view;
    TextLookup text;
};

}  // namespace vellomir
