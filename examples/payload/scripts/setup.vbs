' Runs before the files are copied.
WScript.Echo "Preparing Example App"
