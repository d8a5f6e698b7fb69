#pragma once

// Red, green and blue on the 0 to 255 scale; divided by 255 only when
// handed to OpenGL.
struct Color {
    float red;
    float green;
    float blue;
};
