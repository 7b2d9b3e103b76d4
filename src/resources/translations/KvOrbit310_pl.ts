<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>MainWindow</name>
    <message>
        <source>Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation type="unfinished">Wejścia</translation>
    </message>
    <message>
        <source>DMX Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal Events</source>
        <translation type="unfinished">Zdarzenia wewnętrzne</translation>
    </message>
    <message>
        <source>Delayed Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMX Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scenes</source>
        <translation type="unfinished">Sceny</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation type="unfinished">Programy</translation>
    </message>
    <message>
        <source>Sequences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Masks</source>
        <translation type="unfinished">Maski</translation>
    </message>
    <message>
        <source>Visual Project</source>
        <translation type="unfinished">Projekt wizualny</translation>
    </message>
    <message>
        <source>Active scenes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compound scenes edition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Descriptions</source>
        <translation type="unfinished">Opisy</translation>
    </message>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>amask_settings_widget</name>
    <message>
        <source>Mask</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groupped Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>aprogram_settings_widget</name>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Steps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groupped Steps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit current scene</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>as_conf_widget</name>
    <message>
        <source>Enable active scenes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ascene_settings_widget</name>
    <message>
        <source>Scene</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groupped Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coupled Scenes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>aseq_settings_widget</name>
    <message>
        <source>Sequence</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>asettings_clock_widget</name>
    <message>
        <source>DST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adjustment:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>asettings_dmx_set_widget</name>
    <message>
        <source>Output Channels Limit </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>clearConf</name>
    <message>
        <source>Clear configuration</source>
        <translation>Czyszczenie konfiguracji</translation>
    </message>
    <message>
        <source>Clear settings:</source>
        <translation>Wyczyść ustawienia:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystko</translation>
    </message>
    <message>
        <source>Scenes</source>
        <translation>Sceny</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programy</translation>
    </message>
    <message>
        <source>Chained Events</source>
        <translation>Zdarzenia łańcuchowe</translation>
    </message>
    <message>
        <source>Descriptions</source>
        <translation>Opisy</translation>
    </message>
    <message>
        <source>Timers</source>
        <translation>Timery</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Wejścia</translation>
    </message>
    <message>
        <source>DMX Inputs</source>
        <translation>Wejścia DMX</translation>
    </message>
    <message>
        <source>DMX Outputs</source>
        <translation>Wyjścia DMX</translation>
    </message>
    <message>
        <source>Internal Events</source>
        <translation>Zdarzenia wewnętrzne</translation>
    </message>
    <message>
        <source>State &amp;&amp; Daytime Limits</source>
        <translation>Ograniczenia stanów &amp;&amp; pory dnia</translation>
    </message>
    <message>
        <source>Delays &amp;&amp; Sequences</source>
        <translation>Opóźnienia &amp;&amp; sekwencje</translation>
    </message>
    <message>
        <source>Masks</source>
        <translation>Maski</translation>
    </message>
    <message>
        <source>Sun Related Events</source>
        <translation>Zdarzenia słoneczne</translation>
    </message>
    <message>
        <source>Visual Project</source>
        <translation>Projekt wizualny</translation>
    </message>
    <message>
        <source>Active Scenes</source>
        <translation>Sceny aktywne</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Czy na pewno?</translation>
    </message>
    <message>
        <source>Yes!</source>
        <translation>Tak!</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>ctrl_monitor</name>
    <message>
        <source>Controller Monitoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show inputs&apos; states</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show input DMX values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show output DMX values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show internal states</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Controller error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>dgTimeRescale</name>
    <message>
        <source>Time scaling</source>
        <translation>Skalowanie czasu</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Szybciej</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Wolniej</translation>
    </message>
    <message>
        <source>100x</source>
        <translation>100x</translation>
    </message>
    <message>
        <source>10x</source>
        <translation>10x</translation>
    </message>
    <message>
        <source>1x</source>
        <translation>1x</translation>
    </message>
    <message>
        <source>No change</source>
        <translation>Bez zmian</translation>
    </message>
</context>
<context>
    <name>gui_class</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Język</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Język</translation>
    </message>
    <message>
        <source>Change language to: </source>
        <translation>Zmień język na: </translation>
    </message>
    <message>
        <source>Change application language</source>
        <translation>Zmiana języka aplikacji</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Cannot write new language!</source>
        <translation>Nie można zapisać nowego języka!</translation>
    </message>
    <message>
        <source>Project details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>External fixtures library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old style project definition file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date and Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable / Disable Delay Times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events Generator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Sunrise / Sunset Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open configuration file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save configuration file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear current configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View &amp;Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show inputs&apos; state in another window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View &amp;States</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show internal states in another window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View &amp;DMX output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show DMX output channels in another window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View DM&amp;X input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show DMX input channels in another window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Design mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check or modify your visualisation project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visualisation mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visualise your show on the screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close aux. &amp;windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close all auxiliary windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Upgrade device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send upgrade to device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Verify firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How to get help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information about application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About &amp;project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information about project.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operations on files and exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Views</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auxiliary windows control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware version management</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short informations about application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start-up Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shut-down Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location latitude:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location longitude:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time zone:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recalculate
project
times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose event:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seq. start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMX In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMX Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R. C. Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable communication
with external panels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable setting scenes
with DMX inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background image:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>darkened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sketch image:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>brightened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Project area:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm    X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh fixtures definition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of fixtures:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of groups:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Project status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide monitor window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose an upgrade file for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> controller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade (*.upg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please call or send an email.

Telephone: the number on your delivery note
Fax: the number on your delivery note

E-mail: the support address on your delivery note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> controller configuration.
Release:   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Supplied by your Kv310+ dealer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Postal address, telephone, fax, tax number and e-mail:
see the documents delivered with your controller.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loaded project info: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
File date: not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
File date: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KvOrbit310+ - project info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a library file for KV310 visualisation project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light Fixtures Libraries (*.fxl)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name field empty!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a library file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is not a valid library file:
&quot;%1&quot;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a definition file for KV310 visualisation project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KvOrbit310+ Visual Projects (*.kvp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a project file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is not a valid project file:
&quot;%1&quot;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a %1 image for KV310 visualisation project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sketch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image files (*.bmp; *.jpg; *.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No active library information!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV sheets (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a file containing sunrise and sunset times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file %1!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read times!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a file to save sunrise and sunset times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot; to write!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save times!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N/A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected!</source>
        <comment>QMessageBox</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control error!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kv310_controller_class</name>
    <message>
        <source>KvOrbit310+</source>
        <translation>KvOrbit310+</translation>
    </message>
    <message>
        <source>Not enough memory! Quitting!</source>
        <translation>Za mało pamięci! Program kończy pracę!</translation>
    </message>
    <message>
        <source>Configuration error:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coupling tables are not coherent!
The first one was taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incomplete file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not all days of year are properly described!
	Continue anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip this</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Anuluj</translation>
    </message>
    <message>
        <source>Skip all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware verification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File reading error: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
is not a proper upgrade file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current version reading error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This release of firmware is already installed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really want to install older firmware release?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes, I do!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allocation error: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insufficient memory!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC error in block %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incorrect structure of block %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verification error: block %1
address 0x%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The upgrade file is empty!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade successful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verification successful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verification failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old-style file format!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have choosen old-style configuration file format (v3)!
Some informations will not be saved into file, and may get lost!
Continue anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data write to file </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough memory to create temporary flash image!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>successful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data read from file
    successful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data read from file
       failed!

File corrupted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Older version!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file contains previous version of configuration!
To convert it into current format try get
a converting program from KVO website!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is not a valid project description file:
&quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compressed project size exceeds reserved flash area!
Some information will not be stored in the device!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot initiate reading!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read inputs&apos; states!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remote control:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time exceeded!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid R. C. address!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select button!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Divergent key!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid key code!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU key code reading failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid key code [%1]!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ambiguous R. C. address!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU key code writing failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU address writing failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCU data saving failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending configuration and data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config and data writing
     successful!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config and data writing
     failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration reading
 failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Improper hardware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Kv310 version 3.99 or less, use older KvOrbit310.exe!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This software supports </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> controllers only!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration reading
successful!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvVGraph_class</name>
    <message>
        <source>KvOrbit310+ visualisation: design mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: all fixtures on (offline)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>lightEffect</name>
    <message>
        <source>Fixture No. %1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: undefined!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>programTable</name>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Program steps limit exceed!</source>
        <translation>Przekroczono limit kroków programów!</translation>
    </message>
</context>
<context>
    <name>reconnectDialog</name>
    <message>
        <source>Device not connected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previously connected controller is no longer available!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Retry or choose another device to connect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Anuluj</translation>
    </message>
</context>
<context>
    <name>right_panel_widget</name>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send config to device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read config from device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save config to file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read config from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> </source>
        <comment>1</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> controller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  </source>
        <comment>2</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> working mode: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S/N ----</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F/W ver. ----</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kv310+ project description (*31xcfg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KvOrbit 310 old-style config (*.cfg310)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a project description file for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KvOrbit310+ project/config files (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect with device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Controller not frozen!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Controller still frozen!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected!</source>
        <comment>QMessageBox</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration not sent!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration not read!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>startup</name>
    <message>
        <source>unknown</source>
        <translation>nieznany</translation>
    </message>
</context>
<context>
    <name>timeRescaleDlg</name>
    <message>
        <source>No change</source>
        <translation>Bez zmian</translation>
    </message>
    <message>
        <source>%1x faster</source>
        <translation>%1x szybciej</translation>
    </message>
    <message>
        <source>%1x slower</source>
        <translation>%1x wolniej</translation>
    </message>
    <message>
        <source>Time scaling</source>
        <translation>Skalowanie czasu</translation>
    </message>
    <message>
        <source>Some limits were reached!</source>
        <translation>Niektóre wartości osiągnęły granice!</translation>
    </message>
</context>
<context>
    <name>v_project</name>
    <message>
        <source>Incomplete fixture(s) found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All fixtures should be completely defined
before entering visualisaton mode!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range boundary violation!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixture %1 violates range of group %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range_</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removing groups by ranges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1 groups generated by active scenes!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incomplete data!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check item &quot;%1&quot;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New fixture definitiions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All definition of fixtures in project
will be replaced from external library!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undefined fixture model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This library does not contain definition
for fixture %1!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New fixture definitions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All definition succesfully replaced!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>xml_report</name>
    <message>
        <source>Errors occured!</source>
        <translation>Wystąpiły błędy!</translation>
    </message>
    <message>
        <source>Errors parsing file
&quot;%1&quot; occured!
Refer to &quot;xml_report.log&quot;.</source>
        <translation>Wystąpiły błędy podczas analizy pliku
&quot;%1&quot;!
Szczegóły w pliku &quot;xml_report.log&quot;.</translation>
    </message>
</context>
</TS>
