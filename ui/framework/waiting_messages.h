#pragma once

// Lets the application handle every window message waiting in this thread's queue.
void HandleWaitingMessages();
