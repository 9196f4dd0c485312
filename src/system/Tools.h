// The utility library every scanner and cleaner leans on, in one include.
#pragma once
#include "system/ByteSizeText.h"
#include "system/FolderValues.h"
#include "system/ToolsFiles.h"
#include "system/ToolsFolders.h"
#include "system/ToolsPaths.h"
#include "system/ToolsRegistry.h"
#include "system/ToolsShell.h"
#include "system/ToolsViews.h"
