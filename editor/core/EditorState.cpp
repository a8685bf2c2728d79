#include "editor/core/EditorState.h"
