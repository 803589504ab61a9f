#pragma once

#include "framework/core/application.h"

// The application object. It has no behaviour of its own: everything the program does is a
// window or control event.
class Quorvel : public Application {
public:
    void Constructor() {}
};
