#pragma once
// The document's memos. Memos are compared by identity: adding a memo that is not an entry stores a new
// memo with a copy of its text.

#include "GmMemo.h"
#include "GmResourceList.h"

#include "platform/core/Hook.h"

#include <memory>

class TGmCustomMemoList : public TGmResourceListOf<TGmMemo> {
public:
    PLAT_CLASS_NAME(TGmCustomMemoList)

    // Asked for a new memo: the handler may put one of its own into the pointer; when it leaves it empty a
    // rich-edit memo is made. The page list connects this to the preview's request.
    plat::Hook<plat::Object*, std::unique_ptr<TGmMemo>&> OnNeedRichEdit;

    // -1 gives none; any other index outside the list raises "Indice de liste hors limites (%d)".
    TGmMemo* GetMemo(int index) const;
    // Memo itself when it is an entry; otherwise a NewMemo holding a copy of its text, appended.
    TGmMemo* AddMemo(const TGmMemo* memo);
    // By identity; -1 when Memo is not an entry.
    int IndexOfMemo(const TGmMemo* memo) const;
    // A new memo from the request (not an entry until added).
    std::unique_ptr<TGmMemo> NewMemo();
    static bool IsRichEdit(const TGmMemo& memo) { return memo.ClassName() != "TMemo"; }

    // The count, then per memo the integer 1 (rich edit) or 0 and a block with its text.
    void SaveToStream(plat::Stream& stream) const override;
    // Adds each memo read through AddMemo to what the list holds already (it is not emptied first).
    void LoadFromStream(plat::Stream& stream) override;
};
