#pragma once
// The program folder: where the program keeps its tables, lists, projects and logs.
// TEZDESK_HOME when set; otherwise the user's data folder, filled on first use from the
// tables installed with the program.
#include <QString>

QString ProgramFolder();

// folder + separator + name, with no doubled separator when the folder already ends in one.
QString PathJoin(const QString& folder, const QString& name);

// Where the tables installed with the program lie (build tree or install prefix).
QString InstalledDataFolder();

// Copies what the program folder lacks from the installed tables: conversion tables always,
// the vocabulary tables and their list only when the folder has no list yet. The help page
// is copied when the folder lacks it or the installed one is newer.
void FillProgramFolder(const QString& folder, const QString& dataFolder);
