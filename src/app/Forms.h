// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;

// The program's one instance of each window, created at start-up in this order and kept until
// the program ends.
extern TForm1* Form1; // main menu, the main window
extern TForm2* Form2; // About
extern TForm3* Form3; // character window
extern TForm4* Form4; // notice of unfinished functions
extern TForm5* Form5; // tip of the day
extern TForm6* Form6; // beta notes
extern TForm7* Form7; // splash
