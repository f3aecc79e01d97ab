#pragma once

// Makes the framework's controls (TPanel, TImage, TLabel, TBevel, TImageList) known to the form-layout
// reader. Called once before the first design is read; calling it again does no harm.
void RegisterFrameworkClasses();

// Makes the framework's classes' properties known to the form-layout writer (tools and tests).
void RegisterFrameworkWriters();
