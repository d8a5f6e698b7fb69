#pragma once

// The GL headers want windows.h first on Windows.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
