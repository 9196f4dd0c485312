// The start-up texts as the user must read them (UTF-16), for comparing with the program.
#pragma once

#define PURVEX_TEXT_CAPTION L"MarvolentPurvex"
#define PURVEX_TEXT_M1 L"说明：无法检测当前电脑的操作系统，MarvolentPurvex不能正常运行。"
#define PURVEX_TEXT_M2 \
  L"说明：MarvolentPurvex只能在Windows2000之后的操作系统(例如：Windows2000/2003/XP/Vista/2008...)中运行。"
#define PURVEX_TEXT_M3 L"说明：Windows %s 下，只有系统管理员身份的用户才能使用本软件。"
