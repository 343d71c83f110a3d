#pragma once
// The textbook on the headless screen: the application and its three windows as the program
// starts them, in the current folder, run until the main form closes.
void RunTextbook();
