#pragma once
// A memo of the document: a block of text. There is no rich-text editor here, so a memo holds its text as
// plain text; RichEdit tells whether it stands for a rich-edit control (class "TRichEdit") or a plain memo
// (class "TMemo"), which is what the stream form records of it.

#include "platform/core/Object.h"

#include <string>

class TGmMemo : public plat::Object {
public:
    explicit TGmMemo(bool richEdit = true) : RichEdit(richEdit) {}

    std::string ClassName() const override { return RichEdit ? "TRichEdit" : "TMemo"; }

    std::string Text;
    bool RichEdit = true;
};
