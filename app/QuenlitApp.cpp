#include "QuenlitApp.h"

CQuenlitApp theApp;
