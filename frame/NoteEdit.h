// CNoteEdit: the annotation editor; every change of its text goes to the main window at once.
#pragma once

#include "afx/Edit.h"

class CNoteEdit : public CEdit
{
public:
    void OnChange();
    DECLARE_MESSAGE_MAP()
};
