#pragma once
// One turn of the user-interface thread's message loop from inside a handler, for work that
// runs one step per posted message and lets the window breathe between steps.

// Dispatches the messages waiting for the user-interface thread, then runs the idle work (the
// main frame's command-state updates). A quit request met among them still ends every running
// loop, the modal ones and then the program's, as a quit request posted again would.
void PumpWaitingMessages();
