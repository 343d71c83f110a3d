#pragma once
// The textbook as the program starts it: the application titled "Статистика", the splash, main
// and About windows created in that order, and the message loop until the main form closes.
void RunTextbookProgram();
