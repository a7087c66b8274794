// A rectangle as text for failure messages: "left,top right,bottom".
// Written for any type with those four edges (a Win32 RECT), so that the
// test support needs no OS header.
#pragma once

#include <string>

namespace tarn::testing {

template <class Rectangle>
std::string Describe(const Rectangle& box) {
    return std::to_string(box.left) + "," + std::to_string(box.top) + " " +
           std::to_string(box.right) + "," + std::to_string(box.bottom);
}

}  // namespace tarn::testing
