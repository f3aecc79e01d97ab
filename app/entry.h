#pragma once

// The four roads a start can take, tested in this order.
enum class StartRoad {
    AnotherGateRunning = 1, // the argument is left in a global atom
    MainWindowOpen = 2,     // the running main window is told of the start and brought forward
    SplashOrLoginOpen = 3,  // the suite is starting up: nothing to do
    NothingRunning = 4,     // the update window takes over
};

// Decides the road of this start and takes its effect. Only roads 2 and 4 start the application object,
// and only the last one the rest of the program: there the update window is created as the application's
// main window, and the caller then runs the event loop.
StartRoad TakeStartRoad();
