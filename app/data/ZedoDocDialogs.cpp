#include "app/data/ZedoDoc.h"

bool CZedoDoc::AskProjectPath(bool, CString&) { return false; }
