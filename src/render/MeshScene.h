#pragma once

// Older name of the scene flattener's header.
#include "decode/MeshScene.h"
