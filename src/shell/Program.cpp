#include "shell/Program.h"

#include "paint/sAnimateRepaint.h"
#include "shell/Unit1.h"
#include "shell/Unit3.h"
#include "shell/Unit4.h"
#include "toolkit/Application.h"
#include "windows/sWindowSkinning.h"

void RunTextbookProgram() {
    InstallAnimateRepaint();
    InstallWindowSkinning();
    TApplication app;
    app.Initialize();
    app.SetTitle("Статистика");
    app.CreateForm<TForm4>();
    app.CreateForm<TForm1>();
    app.CreateForm<TForm3>();
    app.Run();
}
