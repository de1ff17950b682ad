#pragma once
#include "ProbeIo.h"

// Runs the command named by words[0] with the rest as its arguments; returns its exit code.
int RunCommand(const Args& words);
// Reads commands from standard input, one per line with tab-separated words, until the end of
// the input. After each command's output it prints a line of ASCII EOT and the exit code.
int Serve();

// One function per probe command; each gets the arguments after the command's name, already
// counted, and returns the process exit code.
int RegGet(const Args& args);
int RegSet(const Args& args);
int RegDel(const Args& args);
int RegDelKey(const Args& args);
int RegList(const Args& args);

int Windows(const Args& args);
int Foreground(const Args& args);
int FindWindowRect(const Args& args);
int ClientRect(const Args& args);
int ChildRect(const Args& args);
int ChildText(const Args& args);
int TabRect(const Args& args);
int TabText(const Args& args);
int Post(const Args& args);

// The same for controls at any depth below the window, such as a property page's.
int ItemRect(const Args& args);
int ItemText(const Args& args);
int ItemSend(const Args& args);

int Cursor(const Args& args);
int Locale(const Args& args);
int Screen(const Args& args);
int Display(const Args& args);
int Version(const Args& args);
int Hold(const Args& args);
int Lock(const Args& args);
// Starts a command line on this process's token with the Administrators group made deny-only
// (RestrictedCommands.cpp).
int Restricted(const Args& args);
int Open(const Args& args);
int Ioctl(const Args& args);
