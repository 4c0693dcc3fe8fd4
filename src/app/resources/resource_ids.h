// Resource ids shared by the resource script and the program.
#pragma once

#define IDI_QUORVENDA 100
#define IDI_LETTER_P 128
