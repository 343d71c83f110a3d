#pragma once
// The splash window: the course picture with the movie in a strip below it. A click on the
// picture opens the main window.
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/WebBrowser.h"

class TForm4 : public TForm {
  public:
    explicit TForm4(TComponent* owner);
    const char* ClassName() const override { return "TForm4"; }

    TImage* Image1;
    TWebBrowser* WebBrowser1;
    TDirectoryListBox* DirectoryListBox1;

    void FormCreate(TComponent* sender);
    void Image1Click(TComponent* sender);
};

extern TForm4* Form4;
