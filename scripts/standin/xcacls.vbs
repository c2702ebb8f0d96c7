' DEVELOPMENT STAND-IN for xcacls.vbs. Never ship this file as the real script.
'
' It changes no permissions. It only checks that a command line has the shape
' Permora composes and answers the way Permora reads the output:
'
'   cscript xcacls.vbs TARGET [/E] [/G|/D|/P user:perms] [/R user] [user:perms] ...
'
'   TARGET   an existing directory (first argument)
'   /E       edit the ACL instead of replacing it (may appear anywhere, repeatedly)
'   /G /D /P each takes the next argument, user:perms
'   /R       takes the next argument, a user
'   user:perms  a bare entry (no method switch); the user is everything before
'            the last colon, perms is one or more of F M X R L W 7 (any case)
'
' Any other switch is an error, so a mistyped additional parameter shows up as
' a failed run. Every argument received is echoed; then one line reports the
' outcome: "Completed successfully." or "Error: <reason>". Output goes to
' standard output and the exit code is always 0, since only the text counts.
Option Explicit

Dim args, i, problem
Set args = WScript.Arguments

WScript.Echo "xcacls.vbs development stand-in"
WScript.Echo "Arguments received: " & args.Count
For i = 0 To args.Count - 1
    WScript.Echo "  [" & (i + 1) & "] " & args(i)
Next

problem = CheckArguments()
If problem = "" Then
    WScript.Echo "Completed successfully."
Else
    WScript.Echo "Error: " & problem
End If
WScript.Quit 0

Function CheckArguments()
    Dim fso, arg, sw, entryProblem
    CheckArguments = ""
    If args.Count = 0 Then
        CheckArguments = "no target directory given"
        Exit Function
    End If
    If Left(args(0), 1) = "/" Then
        CheckArguments = "the first argument must be the target directory, not " & args(0)
        Exit Function
    End If
    Set fso = CreateObject("Scripting.FileSystemObject")
    If Not fso.FolderExists(args(0)) Then
        CheckArguments = "target directory not found: " & args(0)
        Exit Function
    End If

    i = 1
    Do While i < args.Count
        arg = args(i)
        sw = UCase(arg)
        If sw = "/E" Then
            ' nothing to check
        ElseIf sw = "/G" Or sw = "/D" Or sw = "/P" Or sw = "/R" Then
            If i + 1 >= args.Count Then
                CheckArguments = arg & " needs an argument"
                Exit Function
            End If
            i = i + 1
            If Left(args(i), 1) = "/" Then
                CheckArguments = arg & " needs an argument, found " & args(i)
                Exit Function
            End If
            If sw <> "/R" Then
                entryProblem = CheckEntry(args(i))
                If entryProblem <> "" Then
                    CheckArguments = entryProblem
                    Exit Function
                End If
            End If
        ElseIf Left(arg, 1) = "/" Then
            CheckArguments = "unknown switch " & arg
            Exit Function
        Else
            entryProblem = CheckEntry(arg)
            If entryProblem <> "" Then
                CheckArguments = entryProblem
                Exit Function
            End If
        End If
        i = i + 1
    Loop
End Function

' "" when `entry` is user:perms with a known permission letter each.
Function CheckEntry(entry)
    Dim colon, user, perms, k
    CheckEntry = ""
    colon = InStrRev(entry, ":")
    If colon = 0 Then
        CheckEntry = "expected user:perms, found " & entry
        Exit Function
    End If
    user = Left(entry, colon - 1)
    perms = Mid(entry, colon + 1)
    If user = "" Then
        CheckEntry = "no user in " & entry
        Exit Function
    End If
    If perms = "" Then
        CheckEntry = "no permission in " & entry
        Exit Function
    End If
    For k = 1 To Len(perms)
        If InStr("FMXRLW7", UCase(Mid(perms, k, 1))) = 0 Then
            CheckEntry = "unknown permission " & Mid(perms, k, 1) & " in " & entry
            Exit Function
        End If
    Next
End Function
