#pragma once
// A list of folders: the current directory's path, one item per level from the root, then
// its subfolders. The program keeps one hidden only to learn the directory it started in.
#include <string>
#include <vector>

#include "toolkit/WinControl.h"

class TDirectoryListBox : public TWinControl {
  public:
    explicit TDirectoryListBox(TComponent* owner);
    const char* ClassName() const override { return "TDirectoryListBox"; }

    // The directory listed, as the program sees it (the process's current directory at
    // creation).
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& directory);
    // The items as listed (also before the window exists).
    const std::vector<std::string>& Items() const { return items_; }

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { itemHeight_ = value; }
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool value);

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void ReadDirectory();
    void FillWindow();

    std::string directory_;
    std::vector<std::string> items_;
    int itemHeight_ = 16;
    bool integralHeight_ = false;
};
