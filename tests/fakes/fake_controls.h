#pragma once

#include <algorithm>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "fakes/cp1252_code_page.h"
#include "fakes/fake_platform.h"
#include "platform/controls.h"

namespace plimex::testing {

// Drives as Windows names them: "C:\".
class FakeDriveList : public DriveList {
  public:
    explicit FakeDriveList(CallLog& log) : log_(log) {}
    std::wstring drive = L"C:\\";

    std::wstring Drive() const override { return drive; }
    bool SetDrive(const std::wstring& path) override {
        log_.Add("Drive1.SetDrive");
        const std::wstring next = DriveOf(path);
        if (next.empty() || next == drive) {
            return false;
        }
        drive = next;
        return true;
    }
    std::wstring DriveOf(const std::wstring& path) const override {
        if (path.size() < 2 || path[1] != L':') {
            return L"";
        }
        return std::wstring(1, static_cast<wchar_t>(std::towupper(path[0]))) + L":\\";
    }

  private:
    CallLog& log_;
};

class FakeDirList : public DirList {
  public:
    FakeDirList(CallLog& log, const FakeFileSystem& fs) : log_(log), fs_(fs) {}
    std::wstring path;  // empty until first set, like a list not yet pointed anywhere

    std::wstring Path() const override { return path; }
    // The whole path as the tree's one entry.
    std::optional<FolderTree> Read(const std::wstring& requested) const override {
        std::wstring next = requested;
        if (next.size() > 3 && next.back() == L'\\') {
            next.pop_back();
        }
        if (!fs_.IsFolder(std::string(next.begin(), next.end()))) {
            return std::nullopt;
        }
        return FolderTree{{next}, {}};
    }
    bool Show(FolderTree tree) override {
        log_.Add("Dir1.Show");
        if (tree.chain.front() == path) {
            return false;
        }
        path = tree.chain.front();
        return true;
    }
    // What the user opening a folder comes to once it has been read.
    bool SetPath(const std::wstring& requested) {
        std::optional<FolderTree> tree = Read(requested);
        return tree && Show(std::move(*tree));
    }

  private:
    CallLog& log_;
    const FakeFileSystem& fs_;
};

class FakeListBox : public ListBox {
  public:
    explicit FakeListBox(CallLog& log) : log_(log) {}
    std::vector<std::wstring> items;
    int index = -1;

    void Clear() override {
        log_.Add("LstFic.Clear");
        items.clear();
        index = -1;
    }
    void AddItems(PackedNames added) override {
        log_.Add("LstFic.AddItems");
        for (const std::string_view name : added) {
            items.push_back(Cp1252CodePage().FromAnsi(name));
        }
        std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
            return std::lexicographical_compare(
                a.begin(), a.end(), b.begin(), b.end(),
                [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
        });
    }
    int ListIndex() const override { return index; }
    std::wstring List(int i) const override {
        return i >= 0 && i < static_cast<int>(items.size()) ? items[i] : L"";
    }
    int ListCount() const override { return static_cast<int>(items.size()); }

  private:
    CallLog& log_;
};

class FakeCaption : public CaptionedControl {
  public:
    FakeCaption(CallLog& log, std::string name, std::wstring initial)
        : caption(std::move(initial)), log_(log), name_(std::move(name)) {}

    std::wstring caption;

    std::wstring Caption() const override { return caption; }
    void SetCaption(const std::wstring& text) override {
        log_.Add(name_ + ".Caption");
        caption = text;
    }

  private:
    CallLog& log_;
    std::string name_;
};

class FakeTimer : public Timer {
  public:
    bool enabled = false;
    void SetEnabled(bool on) override { enabled = on; }
};

class FakeOptionGroup {
  public:
    int selected = 0;  // 1..5, 0: none
};

class FakeOptionButton : public OptionButton {
  public:
    FakeOptionButton(FakeOptionGroup& group, int number) : group_(group), number_(number) {}
    void Select() override { group_.selected = number_; }

  private:
    FakeOptionGroup& group_;
    int number_;
};

class FakeShape : public Shape {
  public:
    float width = 6040.0f;
    int sets = 0;
    void SetWidth(float twips) override {
        width = twips;
        ++sets;
    }
};

class FakePreview : public PreviewBox {
  public:
    std::vector<int> shownWidths;
    bool readable = true;
    bool ShowPicture(DecodedBitmap picture) override {
        shownWidths.push_back(picture.width);
        return readable;
    }
};

class FakeMainWindow : public MainWindow {
  public:
    explicit FakeMainWindow(CallLog& log) : log_(log) {}
    bool visible = true;
    bool unloaded = false;
    int popups = 0;
    // What the user does while the menu is open; returns the item picked.
    std::function<MenuItem()> whileMenuOpen = [] { return MenuItem::None; };

    void Show() override {
        log_.Add("Form1.Show");
        visible = true;
    }
    void Hide() override {
        log_.Add("Form1.Hide");
        visible = false;
    }
    MenuItem PopupMenu() override {
        log_.Add("Form1.PopupMenu");
        ++popups;
        return whileMenuOpen();
    }
    void Unload() override {
        log_.Add("Form1.Unload");
        unloaded = true;
    }

  private:
    CallLog& log_;
};

class FakeAboutWindow : public AboutWindow {
  public:
    int shown = 0;
    void ShowModal() override { ++shown; }
};

}  // namespace plimex::testing
