// A structured-exception frame for code built without compiler support for __try/__except.
#pragma once

// Runs body(context). A fault raised anywhere below, on this thread, is offered to
// UnhandledExceptionFilter: when the filter asks for the handler, the frames in between are
// unwound and RunGuarded returns false; when it asks to continue execution, the faulting code
// resumes; otherwise the fault goes on to the frames further out. True when the body returned.
using GuardedBody = void (*)(void* context);
bool RunGuarded(GuardedBody body, void* context);
