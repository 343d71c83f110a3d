#include "shell/Unit4.h"

#include "shell/Art.h"
#include "shell/Navigation.h"
#include "shell/Unit1.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(TComponent* owner) : TForm(owner) {
    Form4 = this;
    BeginLoading();
    SetName("Form4");
    SetCaption("Form4");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetAlphaBlend(true, 255);
    SetTransparentColor(true, RGB(0, 0, 0)); // black pixels are holes in the window
    SetClientSize(683, 366);

    Image1 = Make<TImage>();
    Image1->SetName("Image1");
    Image1->SetBounds(0, 0, 777, 273);
    Image1->SetPicture(TArt::SplashPicture());
    Image1->SetCursor(crHandPoint);
    Image1->SetHint("ОҚУЛЫҚҚА КІРУ");
    Image1->SetShowHint(true);
    Image1->OnClick = [this](TComponent* sender) { Image1Click(sender); };
    Image1->SetParent(this);

    WebBrowser1 = Make<TWebBrowser>();
    WebBrowser1->SetName("WebBrowser1");
    WebBrowser1->SetBounds(0, 264, 683, 102);
    WebBrowser1->SetAlign(alBottom);
    WebBrowser1->SetTabOrder(0);
    WebBrowser1->SetParent(this);

    DirectoryListBox1 = Make<TDirectoryListBox>();
    DirectoryListBox1->SetName("DirectoryListBox1");
    DirectoryListBox1->SetBounds(352, 8, 145, 97);
    DirectoryListBox1->SetVisible(false);
    DirectoryListBox1->SetParent(this);

    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    EndLoading();
    DoCreate();
}

void TForm4::FormCreate(TComponent*) {
    OleCheck(
        WebBrowser1->Navigate(DocumentPath(DirectoryListBox1->Directory(), "\\flash\\stat.swf")));
}

void TForm4::Image1Click(TComponent*) {
    Form1->Show();
    Hide();
}
