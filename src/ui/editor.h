#pragma once
#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "panels/property_panel.h"
#include "text/language.h"
#include "ui/qt_clipboard.h"
#include "ui/qt_file_chooser.h"
#include "ui/qt_prompts.h"
#include "workbench/about_box.h"
#include "workbench/element_clipboard.h"
#include "workbench/element_placing.h"
#include "workbench/page_list.h"
#include "workbench/page_preview.h"
#include "workbench/qx200_app_form.h"

namespace qxed {

class QtEditorDialogs;
class TPropertyPanels;
class TQX200AppForm;

// The editor as a whole: the language, the open document, the windows (made once, in their order, the main
// window first) and the logic behind them. The program's main makes one after its widget application and
// graphics session.
class Editor {
  public:
    // programFolder: where the configuration, glyph, picture and driver files are; settingsPath: the user's
    // Qx200.Ini. The language is the user's choice when there is one, else the program folder's.
    Editor(std::string programFolder, std::string settingsPath);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // The show step with the command-line arguments (the first names a project to open), then the window.
    void Show(const std::vector<std::string>& arguments);

    TQX200AppForm& MainWindow() { return *window_; }
    QtEditorDialogs& Dialogs() { return *dialogs_; }
    QX200AppForm& Logic() { return *logic_; }
    ElementPlacing& Placing() { return *placing_; }
    PagePreview& Preview() { return *preview_; }
    Document& Doc() { return document_; }
    const Language& Texts() const { return language_; }
    PropertyPanel& Properties() { return *properties_; }
    TPropertyPanels& PropertyPanels() { return *propertyPanels_; }

  private:
    std::string programFolder_;
    Language language_;
    Document document_;
    AboutBox about_;
    QtPrompts prompts_;
    QtFileChooser chooser_;
    std::unique_ptr<TQX200AppForm> window_;
    std::unique_ptr<QtEditorDialogs> dialogs_;
    std::unique_ptr<QX200AppForm> logic_;
    std::unique_ptr<PageList> pages_;
    QtClipboard clipboard_;
    std::unique_ptr<PagePreview> preview_;
    std::unique_ptr<ElementPlacing> placing_;
    std::unique_ptr<ElementClipboard> elementClipboard_;
    std::unique_ptr<PropertyPanel> properties_;
    TPropertyPanels* propertyPanels_ = nullptr;  // in the main window's property area
};

}  // namespace qxed
