#pragma once
// The program's start-up: the main window from its design, its creation handler, then the About box,
// hidden. The application object must exist first.

#include <memory>

class TAPropos_Frm;
class TVantric_Form;

struct TVantricForms {
    std::unique_ptr<TVantric_Form> Vantric_Form;
    std::unique_ptr<TAPropos_Frm> APropos_Frm;

    TVantricForms();
    TVantricForms(TVantricForms&&) noexcept;
    TVantricForms& operator=(TVantricForms&&) noexcept;
    ~TVantricForms();
};

TVantricForms CreateForms();

// Creates the application and the forms, shows the main window and runs until it is closed.
int RunVantric(int argc, char** argv);
