#include "Startup.h"

#include "APropos_Frm.h"
#include "VantricApplication.h"
#include "Vantric_Form.h"

TVantricForms::TVantricForms() = default;
TVantricForms::TVantricForms(TVantricForms&&) noexcept = default;
TVantricForms& TVantricForms::operator=(TVantricForms&&) noexcept = default;

TVantricForms::~TVantricForms()
{
    // The window refers to the About box; it goes first.
    Vantric_Form.reset();
    APropos_Frm.reset();
}

TVantricForms CreateForms()
{
    TVantricForms forms;
    forms.Vantric_Form = std::make_unique<TVantric_Form>(); // runs FormCreate at its end
    forms.APropos_Frm = std::make_unique<TAPropos_Frm>();   // reads the memory figures now
    forms.Vantric_Form->SetAProposFrm(forms.APropos_Frm.get());
    return forms;
}

int RunVantric(int argc, char** argv)
{
    TVantricApplication application(argc, argv);
    TVantricForms forms = CreateForms();
    forms.Vantric_Form->show();
    return application.exec();
}
