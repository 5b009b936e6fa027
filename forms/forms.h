// The form library: everything window code needs from it in one header.
#pragma once

#include "Bitmap.h"
#include "Controls.h"
#include "Convert.h"
#include "Errors.h"
#include "FileDialog.h"
#include "FormFont.h"
#include "Image.h"
#include "Platform.h"
#include "Seam.h"
#include "UpDown.h"
