#pragma once
// The main window: toolbar, menus, the preview panel and the command handlers that make the copier.
// The window holds one picture and two offsets; the work is done by the preview and scanner engines that
// the handlers call. Every handler runs through the application's error handling.

#include <QMainWindow>

#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLineEdit;
class QMenu;
class QToolButton;
class TAPropos_Frm;
class TPreviewPlaceholder;

namespace plat {
class OpenDialog;
class PrintDialog;
class SaveDialog;
class SpinEdit;
} // namespace plat

class TVantric_Form : public QMainWindow {
    Q_OBJECT
public:
    explicit TVantric_Form(QWidget* parent = nullptr);
    ~TVantric_Form() override;

    // The About box that "A propos..." shows; created by the start-up after this window.
    void SetAProposFrm(TAPropos_Frm* about) { m_about = about; }

    // Puts the preview control into its panel, filling it and following the window's size.
    void InstallPreviewWidget(QWidget* preview);

    // Window states: which commands a held picture enables.
    void EnterPictureHeld();
    void EnterNoPicture();
    // After "Ouvrir" read a file: the position edits always, printing and saving for a non-empty bitmap.
    void EnterOpenedPicture(bool bitmapNotEmpty);

    // The print mode as the combo shows it: 0 "Couleur", 1 "Noir et blanc", -1 for any other text.
    int ModeIndex() const;

    // Creation handler: runs once at the end of construction.
    void FormCreate();

    // Command handlers.
    void ZoomMoin_BtnClick();
    void ZoomPlus_BtnClick();
    void ZoomCent_BtnClick();
    void Scanner_BtnClick();
    void NBScanner_EditChange();
    void NBScanner_EditKeyPress(char16_t& key);
    void MargeGauche_EditChange();
    void MargeGauche_EditKeyDown(int& key, Qt::KeyboardModifiers shift);
    void MargeGauche_EditKeyPress(char16_t& key);
    void MargeHaut_EditChange();
    void MargeHaut_EditKeyDown(int& key, Qt::KeyboardModifiers shift);
    void MargeHaut_EditKeyPress(char16_t& key);
    void Nouveau_BtnClick();
    void Ouvrir_MenuClick();
    void Enregistrer_MenuClick();
    void Imprimante_MenuClick();
    void Imprimer_MenuClick();
    void Sanner_MenuClick();
    void SelectionnerSource_MenuClick();
    void Quitter_MenuClick();
    void APropos1Click();

    // Controls, named as in the window's design (also their object names).
    QLineEdit* Zoom_Edit = nullptr;
    QToolButton* ZoomMoin_Btn = nullptr;
    QToolButton* ZoomPlus_Btn = nullptr;
    QToolButton* ZoomCent_Btn = nullptr;
    QToolButton* Scanner_Btn = nullptr;
    plat::SpinEdit* NBScanner_Edit = nullptr;
    plat::SpinEdit* MargeGauche_Edit = nullptr;
    plat::SpinEdit* MargeHaut_Edit = nullptr;
    QComboBox* Mode_Edit = nullptr;

    QMenu* Fichier_Menu = nullptr;
    QAction* Nouveau_Btn = nullptr;
    QAction* Ouvrir_Menu = nullptr;
    QAction* Enregistrer_Menu = nullptr;
    QAction* Imprimante_Menu = nullptr;
    QAction* Imprimer_Menu = nullptr;
    QAction* Sanner_Menu = nullptr;
    QAction* SelectionnerSource_Menu = nullptr;
    QAction* Quitter_Menu = nullptr;
    QMenu* Aide1 = nullptr;
    QAction* APropos1 = nullptr;

    TPreviewPlaceholder* GmPreview1 = nullptr;
    QFrame* PreviewPanel = nullptr;

    std::unique_ptr<plat::PrintDialog> PrintDialog;
    std::unique_ptr<plat::OpenDialog> OpenPictureDialog;
    std::unique_ptr<plat::SaveDialog> SavePictureDialog;

private:
    void BuildMenus();
    QWidget* BuildToolBar();
    void BuildDialogs();
    void CreatePreview();
    void ApplyPreviewDesign();
    void ConnectHandlers();
    void ShowZoom();
    void SetPictureCommandsEnabled(bool enabled);
    void SetPositionEditsEnabled(bool enabled);

    TAPropos_Frm* m_about = nullptr;
};
