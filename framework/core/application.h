#pragma once

#include "framework/core/object.h"

// The application object; a program subclasses it and registers one instance at start-up.
class Application : public Object {};
