// The program's main block: start-up and the message loop.
#include <windows.h>

#include "MainForm.h"
#include "core/cmdline.h"
#include "dialoglib.h"
#include "toolkit/application.h"
#include "toolkit/seam.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  int code = 0;
  try {
    tk::Application.Initialize();
    tk::Application.Title = "Quillon Light";
    tk::Application.HelpFile = "QuillonL.hlp";

    std::string error;
    if (!dialoglib::Bind(error)) {
      tk::ShowMessageBox(nullptr, error + "\n\nQuillon Light cannot start without it.", "Quillon Light",
                         MB_OK | MB_ICONERROR);
      return 1;
    }

    TForm1* frame = tk::Application.CreateForm<TForm1>();
    frame->CommandLineFiles = core::SplitArguments(commandLine ? commandLine : "");
    frame->Show();
    tk::Application.Run();
  } catch (...) {
    tk::Application.HandleException();
    code = 1;
  }
  return code;
}
