#pragma once

#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "support/fakeshellstore.h"

/// A window context for tests of windows: its own data module (unopened until the test points it
/// at a file), the seam the test installed and a stand-in store with one administrator. Declare it
/// after the seam, so that it goes first.
struct TestContext
{
    explicit TestContext(interaction::Interaction& ui) : context(dm, ui, &store) {}

    Tdm dm;
    FakeShellStore store;
    WindowContext context;
};
