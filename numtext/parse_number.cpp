#include "numtext/numtext.h"
