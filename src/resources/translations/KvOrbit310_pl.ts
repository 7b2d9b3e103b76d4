<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>DTL_widget</name>
    <message>
        <source>Not set</source>
        <translation>Bez ograniczeń</translation>
    </message>
    <message>
        <source>Daytime only</source>
        <translation>Tylko w dzień</translation>
    </message>
    <message>
        <source>Night-time only</source>
        <translation>Tylko w nocy</translation>
    </message>
    <message>
        <source>Set manually</source>
        <translation>Ustaw ręcznie</translation>
    </message>
    <message>
        <source>From sunrise</source>
        <translation>Od wschodu</translation>
    </message>
    <message>
        <source>To sunset</source>
        <translation>Do zachodu</translation>
    </message>
    <message>
        <source>From sunset</source>
        <translation>Od zachodu</translation>
    </message>
    <message>
        <source>To sunrise</source>
        <translation>Do wschodu</translation>
    </message>
    <message>
        <source>sunrise - </source>
        <translation>wschód - </translation>
    </message>
    <message>
        <source> - sunset</source>
        <translation> - zachód</translation>
    </message>
    <message>
        <source>sunset - </source>
        <translation>zachód - </translation>
    </message>
    <message>
        <source> - sunrise</source>
        <translation> - wschód</translation>
    </message>
</context>
<context>
    <name>GraphWindow</name>
    <message>
        <source>KVO KV310 visualisation</source>
        <translation>Wizualizacja KVO KV310</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Tryb</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Powiększenie</translation>
    </message>
    <message>
        <source>Select zoom</source>
        <translation>Wybierz powiększenie</translation>
    </message>
    <message>
        <source>Lighten background</source>
        <translation>Rozjaśnij tło</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Zaznacz</translation>
    </message>
    <message>
        <source>Select group</source>
        <translation>Zaznacz grupę</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Narzędzia</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Powiększ</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Pomniejsz</translation>
    </message>
    <message>
        <source>Switch mode</source>
        <translation>Przełącz tryb</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Zaznacz wszystkie</translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation>Odznacz wszystkie</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatycznie</translation>
    </message>
    <message>
        <source>400%</source>
        <translation>400%</translation>
    </message>
    <message>
        <source>200%</source>
        <translation>200%</translation>
    </message>
    <message>
        <source>150%</source>
        <translation>150%</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>75%</source>
        <translation>75%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>25%</source>
        <translation>25%</translation>
    </message>
    <message>
        <source>10%</source>
        <translation>10%</translation>
    </message>
    <message>
        <source>2x</source>
        <translation>2x</translation>
    </message>
    <message>
        <source>4x</source>
        <translation>4x</translation>
    </message>
    <message>
        <source>8x</source>
        <translation>8x</translation>
    </message>
    <message>
        <source>1x</source>
        <translation>1x</translation>
    </message>
    <message>
        <source>Invert selection</source>
        <translation>Odwróć zaznaczenie</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>Dopasuj</translation>
    </message>
    <message>
        <source>Save project</source>
        <translation>Zapisz projekt</translation>
    </message>
    <message>
        <source>Quick fixtures addressing</source>
        <translation>Szybkie adresowanie opraw</translation>
    </message>
    <message>
        <source>Show fixture list</source>
        <translation>Pokaż listę opraw</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Events</source>
        <translation>Zdarzenia</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Wejścia</translation>
    </message>
    <message>
        <source>DMX Input</source>
        <translation>Wejście DMX</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Zegar</translation>
    </message>
    <message>
        <source>Internal Events</source>
        <translation>Wewnętrzne</translation>
    </message>
    <message>
        <source>Delayed Events</source>
        <translation>Opóźnione</translation>
    </message>
    <message>
        <source>Remote Control</source>
        <translation>Zdalne sterowanie</translation>
    </message>
    <message>
        <source>DMX Output</source>
        <translation>Wyjście DMX</translation>
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
        <source>Sequences</source>
        <translation>Sekwencje</translation>
    </message>
    <message>
        <source>Masks</source>
        <translation>Maski</translation>
    </message>
    <message>
        <source>Visual Project</source>
        <translation>Projekt wizualny</translation>
    </message>
    <message>
        <source>Active scenes</source>
        <translation>Sceny aktywne</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Compound scenes edition</source>
        <translation>Edycja scen złożonych</translation>
    </message>
    <message>
        <source>Descriptions</source>
        <translation>Opisy</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Inne</translation>
    </message>
</context>
<context>
    <name>ModiFxt_class</name>
    <message>
        <source>Fixture No. %1</source>
        <translation>Oprawa nr %1</translation>
    </message>
    <message>
        <source>&lt;choose one&gt;</source>
        <comment>provider</comment>
        <translation>&lt;wybierz&gt;</translation>
    </message>
    <message>
        <source>&lt;choose one&gt;</source>
        <comment>model</comment>
        <translation>&lt;wybierz&gt;</translation>
    </message>
    <message>
        <source>&lt;choose one&gt;</source>
        <comment>variant</comment>
        <translation>&lt;wybierz&gt;</translation>
    </message>
    <message>
        <source>basic</source>
        <translation>podstawowy</translation>
    </message>
    <message>
        <source>Relocation table (empty)</source>
        <translation>Tabela relokacji (pusta)</translation>
    </message>
    <message>
        <source>Relocation table</source>
        <translation>Tabela relokacji</translation>
    </message>
</context>
<context>
    <name>ModiGrp_class</name>
    <message>
        <source>Membership of &quot;%1&quot;</source>
        <translation>Członkowie grupy &quot;%1&quot;</translation>
    </message>
    <message>
        <source>-- no name --</source>
        <translation>-- bez nazwy --</translation>
    </message>
    <message>
        <source>Invalid entry</source>
        <translation>Błędny wpis</translation>
    </message>
    <message>
        <source>Set the group name!</source>
        <translation>Nadaj grupie nazwę!</translation>
    </message>
</context>
<context>
    <name>StL_widget</name>
    <message>
        <source>State S%1</source>
        <translation>Stan S%1</translation>
    </message>
    <message>
        <source>no description...</source>
        <translation>brak opisu...</translation>
    </message>
</context>
<context>
    <name>StateConds</name>
    <message>
        <source>State limits</source>
        <translation>Ograniczenia stanów</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Wyczyść</translation>
    </message>
</context>
<context>
    <name>admx512_sliders_widget</name>
    <message>
        <source>Scene: </source>
        <translation>Scena: </translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Maska</translation>
    </message>
    <message>
        <source>Compound scene: </source>
        <translation>Scena złożona: </translation>
    </message>
</context>
<context>
    <name>admx_slider_widget</name>
    <message>
        <source>Value</source>
        <translation>Wartość</translation>
    </message>
</context>
<context>
    <name>aevents_clock_set_widget</name>
    <message>
        <source>Monday</source>
        <translation>Poniedziałek</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Wtorek</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Środa</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Czwartek</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Piątek</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Sobota</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Niedziela</translation>
    </message>
</context>
<context>
    <name>aevents_clock_widget</name>
    <message>
        <source>Timer</source>
        <comment>column name</comment>
        <translation>Zegar</translation>
    </message>
    <message>
        <source>Timer Settings</source>
        <comment>column name</comment>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source> min.</source>
        <translation> min.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Kasuj</translation>
    </message>
    <message>
        <source>Sunrise</source>
        <translation>Wschód</translation>
    </message>
    <message>
        <source>Event description:</source>
        <translation>Opis zdarzenia:</translation>
    </message>
    <message>
        <source>Mo</source>
        <translation>Pn</translation>
    </message>
    <message>
        <source>Tu</source>
        <translation>Wt</translation>
    </message>
    <message>
        <source>We</source>
        <translation>Śr</translation>
    </message>
    <message>
        <source>Th</source>
        <translation>Cz</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>Pt</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>So</translation>
    </message>
    <message>
        <source>Su</source>
        <translation>Nd</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>wyłączone</translation>
    </message>
    <message>
        <source>Sunset</source>
        <translation>Zachód</translation>
    </message>
    <message>
        <source>Timer %1</source>
        <comment>timer with number</comment>
        <translation>Zegar %1</translation>
    </message>
    <message>
        <source>Sunrise Event Delay</source>
        <translation>Opóźnienie wschodu słońca</translation>
    </message>
    <message>
        <source>Sunset Event Delay</source>
        <translation>Opóźnienie zachodu słońca</translation>
    </message>
    <message>
        <source>Today sunrise time: %1:%2 </source>
        <translation>Dziś wschód słońca o %1:%2 </translation>
    </message>
    <message>
        <source>Today sunset time: %1:%2 </source>
        <translation>Dziś zachód słońca o %1:%2 </translation>
    </message>
    <message>
        <source>Timer
no. %1</source>
        <translation>Zegar
nr %1</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Sunrise and sunset cannot both be delayed by -5 min.:
the controller would take that for sun events switched off.</source>
        <translation>Wschód i zachód słońca nie mogą oba mieć opóźnienia -5 min.:
sterownik uznałby to za wyłączenie zdarzeń słonecznych.</translation>
    </message>
</context>
<context>
    <name>aevents_conf_widget</name>
    <message>
        <source>Add</source>
        <translation>Dodaj</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Wstaw</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Wklej</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Przed</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>This delay is locked!</source>
        <translation>To opóźnienie jest zablokowane!</translation>
    </message>
</context>
<context>
    <name>aevents_dlyd_widget</name>
    <message>
        <source>Delay No.</source>
        <translation>Nr opóźn.</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Delay %1</source>
        <translation>Opóźnienie %1</translation>
    </message>
    <message>
        <source>Delay description:</source>
        <translation>Opis opóźnienia:</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>Delay %1</source>
        <comment>list row</comment>
        <translation>Opóźn. %1</translation>
    </message>
</context>
<context>
    <name>aevents_dmx_widget</name>
    <message>
        <source>DMX Channel</source>
        <comment>table column</comment>
        <translation>Kanał DMX</translation>
    </message>
    <message>
        <source>Event description:</source>
        <translation>Opis zdarzenia:</translation>
    </message>
    <message>
        <source>Dmx Ch. %1 (Off) - </source>
        <translation>Kan. DMX %1 (wył.) - </translation>
    </message>
    <message>
        <source>Dmx Ch. %1 (On) - </source>
        <translation>Kan. DMX %1 (zał.) - </translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>Dmx Ch. %1 (%2)</source>
        <translation>Kanał DMX %1 (%2)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>wył.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>zał.</translation>
    </message>
</context>
<context>
    <name>aevents_dmxout_widget</name>
    <message>
        <source>DMX Channel</source>
        <comment>table column</comment>
        <translation>Kanał DMX</translation>
    </message>
    <message>
        <source>Event description:</source>
        <translation>Opis zdarzenia:</translation>
    </message>
    <message>
        <source>Generation is off</source>
        <translation>Generowanie wyłączone</translation>
    </message>
</context>
<context>
    <name>aevents_inputs_widget</name>
    <message>
        <source>Input</source>
        <translation>Wejście</translation>
    </message>
    <message>
        <source>Input 1 (On)</source>
        <translation>Wejście 1 (zał.)</translation>
    </message>
    <message>
        <source>Event description:</source>
        <translation>Opis zdarzenia:</translation>
    </message>
    <message>
        <source>Input %1 (On) - </source>
        <translation>Wejście %1 (zał.) - </translation>
    </message>
    <message>
        <source>Input %1 (Off) - </source>
        <translation>Wejście %1 (wył.) - </translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>Input %1 (On)</source>
        <translation>Wejście %1 (zał.)</translation>
    </message>
    <message>
        <source>Input %1 (Off)</source>
        <translation>Wejście %1 (wył.)</translation>
    </message>
    <message>
        <source>: On</source>
        <translation>: zał.</translation>
    </message>
    <message>
        <source>: Off</source>
        <translation>: wył.</translation>
    </message>
</context>
<context>
    <name>aevents_ired_widget</name>
    <message>
        <source>R. C. Buttons</source>
        <translation>Przyciski pilota</translation>
    </message>
    <message>
        <source>Button No. 1 pressed</source>
        <translation>Przycisk nr 1 wciśnięty</translation>
    </message>
    <message>
        <source>Event description:</source>
        <translation>Opis zdarzenia:</translation>
    </message>
    <message>
        <source>Btn %1 pres. - </source>
        <translation>Prz. %1 wciśn. - </translation>
    </message>
    <message>
        <source>Button No. %1 pressed - </source>
        <translation>Przycisk %1 wciśnięty - </translation>
    </message>
    <message>
        <source>Btn %1 rept. - </source>
        <translation>Prz. %1 powt. - </translation>
    </message>
    <message>
        <source>Button No. %1 repeated - </source>
        <translation>Przycisk %1 powtarzany - </translation>
    </message>
    <message>
        <source>Btn %1 rlsd. - </source>
        <translation>Prz. %1 zwoln. - </translation>
    </message>
    <message>
        <source>Button No. %1 released - </source>
        <translation>Przycisk %1 zwolniony - </translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>pressed</source>
        <translation>wciśnięty</translation>
    </message>
    <message>
        <source>repeated</source>
        <translation>powtarzany</translation>
    </message>
    <message>
        <source>released</source>
        <translation>zwolniony</translation>
    </message>
    <message>
        <source>Button No. %1</source>
        <translation>Przycisk nr %1</translation>
    </message>
</context>
<context>
    <name>aevents_tableview_delegate</name>
    <message>
        <source>Scene</source>
        <translation>Scena</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Sekwencja</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Opóźnienie</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Maska</translation>
    </message>
    <message>
        <source>Set status</source>
        <translation>Ustaw stan</translation>
    </message>
    <message>
        <source>Enabling</source>
        <translation>Zezwolenie</translation>
    </message>
    <message>
        <source>Save show</source>
        <translation>Zapis pokazu</translation>
    </message>
    <message>
        <source>DMX Transmission</source>
        <translation>Nadawanie DMX</translation>
    </message>
    <message>
        <source>Msg for panel</source>
        <translation>Komunikat</translation>
    </message>
    <message>
        <source>Self programming </source>
        <translation>Sceny z DMX </translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Panel </source>
        <translation>Panel </translation>
    </message>
    <message>
        <source>Msg </source>
        <translation>Kom. </translation>
    </message>
    <message>
        <source>On</source>
        <translation>Włącz</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>Przełącz</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Unfreeze</source>
        <translation>Wznów</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Wyłącz</translation>
    </message>
    <message>
        <source>Inc. brightness</source>
        <translation>Jaśniej</translation>
    </message>
    <message>
        <source>Dec. brightness</source>
        <translation>Ciemniej</translation>
    </message>
    <message>
        <source>Set brightness</source>
        <translation>Ustaw jasność</translation>
    </message>
    <message>
        <source>Exclusive on</source>
        <translation>Włącz wyłącznie</translation>
    </message>
    <message>
        <source>Next step</source>
        <translation>Następny krok</translation>
    </message>
    <message>
        <source>Prev. step</source>
        <translation>Poprz. krok</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Od początku</translation>
    </message>
    <message>
        <source>Enable</source>
        <comment>Akcja</comment>
        <translation>Zezwól</translation>
    </message>
    <message>
        <source>Disable</source>
        <comment>Akcja</comment>
        <translation>Zabroń</translation>
    </message>
    <message>
        <source>Toggle</source>
        <comment>Akcja</comment>
        <translation>Przełącz</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Deactivate</source>
        <translation>Skasuj</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Przywróć</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Increase intensity</source>
        <translation>Zwiększ poziom</translation>
    </message>
    <message>
        <source>Decrease intensity</source>
        <translation>Zmniejsz poziom</translation>
    </message>
    <message>
        <source>Set intensity</source>
        <translation>Ustaw poziom</translation>
    </message>
    <message>
        <source>Action failed!</source>
        <translation>Operacja nie powiodła się!</translation>
    </message>
    <message>
        <source>To many delays defined!</source>
        <translation>Zdefiniowano zbyt wiele opóźnień!</translation>
    </message>
    <message>
        <source>Delay already in use!</source>
        <translation>Opóźnienie jest już używane!</translation>
    </message>
    <message>
        <source>Delay #%1 is blocked by sequence #%2!</source>
        <translation>Opóźnienie nr %1 jest zajęte przez sekwencję nr %2!</translation>
    </message>
    <message>
        <source>Repair</source>
        <translation>Napraw</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source> Illegal value!</source>
        <translation> Niedozwolona wartość!</translation>
    </message>
    <message>
        <source>Enabling input already defined: </source>
        <translation>Wejście zezwalające jest już zdefiniowane: </translation>
    </message>
    <message>
        <source>Some delays are blocked by sequences!</source>
        <translation>Niektóre opóźnienia są zajęte przez sekwencje!</translation>
    </message>
</context>
<context>
    <name>aevents_tableview_widget</name>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Akcja</translation>
    </message>
    <message>
        <source>Daytime Limits</source>
        <translation>Pora dnia</translation>
    </message>
    <message>
        <source>State Limits</source>
        <translation>Stany</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>Scena</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Enabling</source>
        <translation>Zezwolenie</translation>
    </message>
    <message>
        <source>Set status</source>
        <translation>Ustaw stan</translation>
    </message>
    <message>
        <source>Save show</source>
        <translation>Zapis pokazu</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Opóźnienie</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Sekwencja</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Maska</translation>
    </message>
    <message>
        <source>DMX Transmission</source>
        <translation>Nadawanie DMX</translation>
    </message>
    <message>
        <source>Msg for panel</source>
        <translation>Komunikat</translation>
    </message>
    <message>
        <source>Active scenes</source>
        <translation>Sceny aktywne</translation>
    </message>
    <message>
        <source>Self programming</source>
        <translation>Sceny z DMX</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Panel %1</source>
        <translation>Panel %1</translation>
    </message>
    <message>
        <source>Msg %1</source>
        <translation>Kom. %1</translation>
    </message>
    <message>
        <source>Enable</source>
        <comment>Akcja</comment>
        <translation>Zezwól</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Włącz</translation>
    </message>
    <message>
        <source>Next step</source>
        <translation>Następny krok</translation>
    </message>
    <message>
        <source>Toggle</source>
        <translation>Przełącz</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Deactivate</source>
        <translation>Skasuj</translation>
    </message>
    <message>
        <source>Disable</source>
        <comment>Akcja</comment>
        <translation>Zabroń</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Przywróć</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Wyłącz</translation>
    </message>
    <message>
        <source>Unfreeze</source>
        <translation>Wznów</translation>
    </message>
    <message>
        <source>Exclusive on</source>
        <translation>Włącz wyłącznie</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Od początku</translation>
    </message>
    <message>
        <source>Increase brightness</source>
        <translation>Zwiększ jasność</translation>
    </message>
    <message>
        <source>Increase intensity</source>
        <translation>Zwiększ poziom</translation>
    </message>
    <message>
        <source>Decrease brightness</source>
        <translation>Zmniejsz jasność</translation>
    </message>
    <message>
        <source>Decrease intensity</source>
        <translation>Zmniejsz poziom</translation>
    </message>
    <message>
        <source>Set brightness</source>
        <translation>Ustaw jasność</translation>
    </message>
    <message>
        <source>Set intensity</source>
        <translation>Ustaw poziom</translation>
    </message>
    <message>
        <source>Prev. step</source>
        <translation>Poprz. krok</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Bez ograniczeń</translation>
    </message>
    <message>
        <source>Daytime only</source>
        <translation>Tylko w dzień</translation>
    </message>
    <message>
        <source>Night-time only</source>
        <translation>Tylko w nocy</translation>
    </message>
    <message>
        <source>sunrise</source>
        <translation>wschód</translation>
    </message>
    <message>
        <source>sunset</source>
        <translation>zachód</translation>
    </message>
</context>
<context>
    <name>aevents_vkeys_widget</name>
    <message>
        <source>Internal Events</source>
        <translation>Zdarzenia wewnętrzne</translation>
    </message>
    <message>
        <source>Power On</source>
        <translation>Włączenie zasilania</translation>
    </message>
    <message>
        <source>Event description:</source>
        <translation>Opis zdarzenia:</translation>
    </message>
    <message>
        <source>Int. ev. %1 - </source>
        <translation>Zd. wewn. %1 - </translation>
    </message>
    <message>
        <source>Internal Event %1 - </source>
        <translation>Zdarz. wewn. %1 - </translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>Internal Event %1</source>
        <translation>Zdarzenie wewnętrzne %1</translation>
    </message>
</context>
<context>
    <name>aprogram_conf_delegate</name>
    <message>
        <source>not set</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>infinite</source>
        <translation>nieskończony</translation>
    </message>
</context>
<context>
    <name>aprogram_conf_widget</name>
    <message>
        <source>Scene No.</source>
        <translation>Nr sceny</translation>
    </message>
    <message>
        <source>Fade Up Time</source>
        <translation>Czas narastania</translation>
    </message>
    <message>
        <source>Duration | inf.</source>
        <translation>Czas trwania | nieskończ.</translation>
    </message>
    <message>
        <source>Fade Down Time</source>
        <translation>Czas wygaszania</translation>
    </message>
    <message>
        <source>Prog. Time</source>
        <translation>Czas programu</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Zdarzenie</translation>
    </message>
    <message>
        <source>infinite</source>
        <translation>nieskończony</translation>
    </message>
    <message>
        <source>Rule broken!</source>
        <translation>Złamana reguła!</translation>
    </message>
    <message>
        <source>Both times cannot equal 0!
Duration will be fixed.</source>
        <translation>Oba czasy nie mogą być równe 0!
Czas trwania zostanie poprawiony.</translation>
    </message>
    <message>
        <source>O.K.</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Fix all steps</source>
        <translation>Popraw wszystkie kroki</translation>
    </message>
    <message>
        <source>undetermined</source>
        <translation>nieokreślony</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Potwierdzenie</translation>
    </message>
    <message>
        <source>About to remove a step from program.
	Really want to do so?</source>
        <translation>Krok zostanie usunięty z programu.
	Czy na pewno?</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Yes!</source>
        <translation>Tak!</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>This action will remove last step from program.
	Really want to do so?</source>
        <translation>Ta operacja usunie ostatni krok programu.
	Czy na pewno?</translation>
    </message>
    <message>
        <source>Copying failed!</source>
        <translation>Kopiowanie nie powiodło się!</translation>
    </message>
    <message>
        <source>Invalid selection!</source>
        <translation>Nieprawidłowe zaznaczenie!</translation>
    </message>
    <message>
        <source>Paste failed!</source>
        <translation>Wklejanie nie powiodło się!</translation>
    </message>
    <message>
        <source>Algorithm error?</source>
        <translation>Błąd algorytmu?</translation>
    </message>
</context>
<context>
    <name>aprogram_entry_delegate</name>
    <message>
        <source>Program </source>
        <translation>Program </translation>
    </message>
    <message>
        <source>Step </source>
        <translation>Krok </translation>
    </message>
    <message>
        <source>Program %1</source>
        <translation>Program %1</translation>
    </message>
    <message>
        <source>Step %1</source>
        <translation>Krok %1</translation>
    </message>
</context>
<context>
    <name>aprogram_settings_widget</name>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Single Steps</source>
        <translation>Kroki pojedyncze</translation>
    </message>
    <message>
        <source>Groupped Steps</source>
        <translation>Kroki grupowe</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Kopiowanie</translation>
    </message>
    <message>
        <source>Edit current scene</source>
        <translation>Edytuj scenę</translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>Program description:</source>
        <translation>Opis programu:</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Program:</translation>
    </message>
    <message>
        <source>Scenes&apos; Sequence</source>
        <translation>Kolejne sceny</translation>
    </message>
    <message>
        <source>Import times</source>
        <translation>Pobierz czasy</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Wstaw</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Wklej</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Zastąp</translation>
    </message>
    <message>
        <source>Number of scenes in program:</source>
        <translation>Liczba scen w programie:</translation>
    </message>
    <message>
        <source>Recurrences number:</source>
        <translation>Liczba powtórzeń:</translation>
    </message>
    <message>
        <source>infinite</source>
        <translation>bez końca</translation>
    </message>
    <message>
        <source>Chained event:</source>
        <translation>Zdarzenie po zakończeniu:</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>Brak</translation>
    </message>
    <message>
        <source>Sequence start</source>
        <translation>Start sekwencji</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Opóźnienie</translation>
    </message>
    <message>
        <source>Internal Event</source>
        <translation>Zdarzenie wewnętrzne</translation>
    </message>
    <message>
        <source>- -</source>
        <translation>- -</translation>
    </message>
    <message>
        <source>Fade down time after break:</source>
        <translation>Wygaszanie po przerwie:</translation>
    </message>
    <message>
        <source>Do not use</source>
        <translation>Nie używaj</translation>
    </message>
    <message>
        <source>Current scene description:</source>
        <translation>Opis bieżącej sceny:</translation>
    </message>
    <message>
        <source>Program: %1</source>
        <translation>Program: %1</translation>
    </message>
    <message>
        <source>to</source>
        <translation>do</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Scene No.:</source>
        <translation>Nr sceny:</translation>
    </message>
    <message>
        <source>Fade Up Time:</source>
        <translation>Czas narastania:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Czas trwania:</translation>
    </message>
    <message>
        <source>Infinite</source>
        <translation>Nieskończony</translation>
    </message>
    <message>
        <source>Unused scenes pool starts from</source>
        <translation>Pula wolnych scen zaczyna się od</translation>
    </message>
    <message>
        <source>Reverse steps&apos; order</source>
        <translation>Odwróć kolejność kroków</translation>
    </message>
    <message>
        <source>Current Configuration</source>
        <translation>Bieżąca konfiguracja</translation>
    </message>
    <message>
        <source>Copy from range:</source>
        <translation>Kopiuj z zakresu:</translation>
    </message>
    <message>
        <source>Do not copy scenes</source>
        <translation>Nie kopiuj scen</translation>
    </message>
    <message>
        <source>Another Configuration</source>
        <translation>Inna konfiguracja</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Plik:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Wybierz</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otwórz</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Zwolnij</translation>
    </message>
    <message>
        <source>Delay already in use!</source>
        <translation>Opóźnienie już zajęte!</translation>
    </message>
    <message>
        <source>Delay #%1 is blocked by sequence!
Corrected!</source>
        <translation>Opóźnienie #%1 jest zajęte przez sekwencję!
Poprawiono!</translation>
    </message>
    <message>
        <source>Extra entries into existing programs:</source>
        <translation>Dodatkowe wejścia do istniejących programów:</translation>
    </message>
    <message>
        <source>Start Program</source>
        <translation>Program startowy</translation>
    </message>
    <message>
        <source>From step</source>
        <translation>Od kroku</translation>
    </message>
    <message>
        <source>As program</source>
        <translation>Jako program</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Dodaj</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Usuń wszystkie</translation>
    </message>
    <message>
        <source>---</source>
        <translation>---</translation>
    </message>
    <message>
        <source>Not defined</source>
        <translation>Nieokreślony</translation>
    </message>
    <message>
        <source>Program %1</source>
        <translation>Program %1</translation>
    </message>
    <message>
        <source>Program too short</source>
        <translation>Program za krótki</translation>
    </message>
    <message>
        <source>Step %1</source>
        <translation>Krok %1</translation>
    </message>
    <message>
        <source>Invalid step</source>
        <translation>Błędny krok</translation>
    </message>
    <message>
        <source>Unrealisable action!</source>
        <translation>Niewykonalna operacja!</translation>
    </message>
    <message>
        <source>Program number limit exceeded!</source>
        <translation>Przekroczono limit numerów programów!</translation>
    </message>
    <message>
        <source>Program exists!</source>
        <translation>Program istnieje!</translation>
    </message>
    <message>
        <source>Do you want to overwrite program No. %1?</source>
        <translation>Czy chcesz nadpisać program nr %1?</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Yes, I do!</source>
        <translation>Tak, na pewno!</translation>
    </message>
</context>
<context>
    <name>arecord_settings_widget</name>
    <message>
        <source>Scene</source>
        <translation>Scena</translation>
    </message>
    <message>
        <source>Scene: %1</source>
        <translation>Scena: %1</translation>
    </message>
    <message>
        <source>Scene %1</source>
        <translation>Scena %1</translation>
    </message>
    <message>
        <source>Clear channels</source>
        <translation>Wyczyść kanały</translation>
    </message>
    <message>
        <source>Import / Export Scenes</source>
        <translation>Import / eksport scen</translation>
    </message>
    <message>
        <source>Relocate scenes:</source>
        <translation>Przesuń sceny:</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Maska</translation>
    </message>
    <message>
        <source>Mask: %1</source>
        <translation>Maska: %1</translation>
    </message>
    <message>
        <source>Mask %1</source>
        <translation>Maska %1</translation>
    </message>
    <message>
        <source>Clear whole mask</source>
        <translation>Wyczyść całą maskę</translation>
    </message>
    <message>
        <source>Import / Export Masks</source>
        <translation>Import / eksport masek</translation>
    </message>
    <message>
        <source>Relocate masks:</source>
        <translation>Przesuń maski:</translation>
    </message>
    <message>
        <source>Single Channels</source>
        <translation>Kanały pojedyncze</translation>
    </message>
    <message>
        <source>Groupped Channels</source>
        <translation>Kanały grupowe</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Kopiowanie</translation>
    </message>
    <message>
        <source>Fade Up Time:</source>
        <translation>Czas narastania:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Czas trwania:</translation>
    </message>
    <message>
        <source>Fade Down Time:</source>
        <translation>Czas wygaszania:</translation>
    </message>
    <message>
        <source>Infinite</source>
        <translation>Nieskończony</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Opis:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>do</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Włącz</translation>
    </message>
    <message>
        <source>values setting</source>
        <translation>ustawianie wartości</translation>
    </message>
    <message>
        <source>with slider</source>
        <translation>suwakiem</translation>
    </message>
    <message>
        <source>copying</source>
        <translation>kopiowanie</translation>
    </message>
    <message>
        <source>with relocation</source>
        <translation>z przesunięciem</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Eksport</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Plik:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Przeglądaj</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Wybierz</translation>
    </message>
    <message>
        <source>Copy from range:</source>
        <translation>Kopiuj z zakresu:</translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>Rule broken!</source>
        <translation>Naruszona reguła!</translation>
    </message>
    <message>
        <source>All times cannot equal 0!
Duration will be fixed.</source>
        <translation>Wszystkie czasy nie mogą być równe 0!
Czas trwania zostanie poprawiony.</translation>
    </message>
    <message>
        <source>Choose different source scene!</source>
        <translation>Wybierz inną scenę źródłową!</translation>
    </message>
    <message>
        <source>Import scenes:</source>
        <translation>Import scen:</translation>
    </message>
    <message>
        <source>Export scenes:</source>
        <translation>Eksport scen:</translation>
    </message>
    <message>
        <source>No valid scenes found!</source>
        <translation>Nie znaleziono poprawnych scen!</translation>
    </message>
    <message numerus="yes">
        <source>%n scene(s) imported!</source>
        <translation>
            <numerusform>Zaimportowano %n scenę!</numerusform>
            <numerusform>Zaimportowano %n sceny!</numerusform>
            <numerusform>Zaimportowano %n scen!</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n scene(s) exported!</source>
        <translation>
            <numerusform>Wyeksportowano %n scenę!</numerusform>
            <numerusform>Wyeksportowano %n sceny!</numerusform>
            <numerusform>Wyeksportowano %n scen!</numerusform>
        </translation>
    </message>
    <message>
        <source>Required number of scenes exceeds Excel limits!
Continue anyway?</source>
        <translation>Wymagana liczba scen przekracza ograniczenia Excela!
Kontynuować mimo to?</translation>
    </message>
    <message>
        <source>Choose DMX value sheet</source>
        <translation>Wybierz arkusz wartości DMX</translation>
    </message>
    <message>
        <source>Choose file to save scenes</source>
        <translation>Wybierz plik do zapisu scen</translation>
    </message>
    <message>
        <source>Choose different source mask!</source>
        <translation>Wybierz inną maskę źródłową!</translation>
    </message>
    <message>
        <source>Import masks:</source>
        <translation>Import masek:</translation>
    </message>
    <message>
        <source>Export masks:</source>
        <translation>Eksport masek:</translation>
    </message>
    <message>
        <source>No valid masks found!</source>
        <translation>Nie znaleziono poprawnych masek!</translation>
    </message>
    <message numerus="yes">
        <source>%n mask(s) imported!</source>
        <translation>
            <numerusform>Zaimportowano %n maskę!</numerusform>
            <numerusform>Zaimportowano %n maski!</numerusform>
            <numerusform>Zaimportowano %n masek!</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n mask(s) exported!</source>
        <translation>
            <numerusform>Wyeksportowano %n maskę!</numerusform>
            <numerusform>Wyeksportowano %n maski!</numerusform>
            <numerusform>Wyeksportowano %n masek!</numerusform>
        </translation>
    </message>
    <message>
        <source>Required number of masks exceeds Excel limits!
Continue anyway?</source>
        <translation>Wymagana liczba masek przekracza ograniczenia Excela!
Kontynuować mimo to?</translation>
    </message>
    <message>
        <source>Choose masks&apos; value sheet</source>
        <translation>Wybierz arkusz wartości masek</translation>
    </message>
    <message>
        <source>Choose file to save masks</source>
        <translation>Wybierz plik do zapisu masek</translation>
    </message>
    <message>
        <source>Current Configuration</source>
        <translation>Bieżąca konfiguracja</translation>
    </message>
    <message>
        <source>Another Configuration</source>
        <translation>Inna konfiguracja</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otwórz</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Zwolnij</translation>
    </message>
    <message>
        <source>Useless action!</source>
        <translation>Bezcelowa operacja!</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>KVO DMX Sheets (*.dmx;*.csv)</source>
        <translation>Arkusze DMX KVO (*.dmx;*.csv)</translation>
    </message>
    <message>
        <source>Cannot open file %1!</source>
        <translation>Nie można otworzyć pliku %1!</translation>
    </message>
    <message>
        <source>Invalid DMX sheet!</source>
        <translation>Nieprawidłowy arkusz DMX!</translation>
    </message>
    <message>
        <source>Invalid range!</source>
        <translation>Nieprawidłowy zakres!</translation>
    </message>
    <message>
        <source>Yes!</source>
        <translation>Tak!</translation>
    </message>
    <message>
        <source>Repair</source>
        <translation>Popraw</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Cannot open file %1 to write!</source>
        <translation>Nie można otworzyć pliku %1 do zapisu!</translation>
    </message>
    <message>
        <source>Scene %1 of the sheet would become scene %2!
Scenes run from 1 to %3: nothing imported.
Choose a smaller range.</source>
        <translation>Scena %1 arkusza trafiłaby do sceny %2!
Sceny mają numery od 1 do %3: nic nie zaimportowano.
Wybierz mniejszy zakres.</translation>
    </message>
    <message>
        <source>Mask %1 of the sheet would become mask %2!
Masks run from 1 to %3: nothing imported.
Choose a smaller range.</source>
        <translation>Maska %1 arkusza trafiłaby do maski %2!
Maski mają numery od 1 do %3: nic nie zaimportowano.
Wybierz mniejszy zakres.</translation>
    </message>
    <message>
        <source>%1 cell(s) could not be read, the first in row &quot;%2&quot;, column %3.</source>
        <translation>Nieodczytane komórki: %1; pierwsza w wierszu „%2”, kolumna %3.</translation>
    </message>
    <message>
        <source>%1 scene(s) had all times 0: their duration is now 1 s.</source>
        <translation>Sceny ze wszystkimi czasami równymi 0: %1; ich czas trwania to teraz 1&#xa0;s.</translation>
    </message>
    <message>
        <source>%1 row(s) were not understood, the first &quot;%2&quot;.</source>
        <translation>Niezrozumiałe wiersze: %1; pierwszy „%2”.</translation>
    </message>
    <message>
        <source>%1 description(s) were longer than %2 bytes and were cut.</source>
        <translation>Opisy dłuższe niż %2 bajtów, skrócone: %1.</translation>
    </message>
    <message>
        <source>%1 column(s) went to a scene that another column had already filled: the later one was kept.</source>
        <translation>Kolumny trafiające do sceny wypełnionej już przez inną kolumnę: %1; zachowano późniejszą.</translation>
    </message>
    <message>
        <source>%1 column(s) went to a mask that another column had already filled: the later one was kept.</source>
        <translation>Kolumny trafiające do maski wypełnionej już przez inną kolumnę: %1; zachowano późniejszą.</translation>
    </message>
</context>
<context>
    <name>as_conf_widget</name>
    <message>
        <source>Enable active scenes</source>
        <translation>Włącz sceny aktywne</translation>
    </message>
    <message>
        <source>No enough memory!</source>
        <translation>Za mało pamięci!</translation>
    </message>
    <message>
        <source>Cannot create necessary associations!</source>
        <translation>Nie można utworzyć potrzebnych powiązań!</translation>
    </message>
    <message>
        <source>Non separated ranges!</source>
        <translation>Zakresy nie są rozdzielone!</translation>
    </message>
    <message>
        <source>Some ranges has shared channels.
You have to separate them!
Nothing is saved!</source>
        <translation>Niektóre zakresy mają wspólne kanały.
Musisz je rozdzielić!
Nic nie zapisano!</translation>
    </message>
    <message>
        <source>Motion detected in sector %1</source>
        <translation>Wykryto ruch w sektorze %1</translation>
    </message>
    <message>
        <source>Immobility in sector %1</source>
        <translation>Brak ruchu w sektorze %1</translation>
    </message>
    <message>
        <source>Active scenes control value changed to range %1</source>
        <translation>Wartość sterująca scen aktywnych zmieniona na zakres %1</translation>
    </message>
    <message>
        <source>Range_%1</source>
        <translation>Range_%1</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>Starting from scene</source>
        <translation>Pierwsza scena</translation>
    </message>
    <message>
        <source>Sector ranges</source>
        <translation>Zakresy sektorów</translation>
    </message>
    <message>
        <source>Control channel no.</source>
        <translation>Nr kanału sterującego</translation>
    </message>
    <message>
        <source>Fade Up Time:</source>
        <translation>Czas narastania:</translation>
    </message>
    <message>
        <source>Fade Down Time:</source>
        <translation>Czas wygaszania:</translation>
    </message>
    <message>
        <source>Starting int. event no.</source>
        <translation>Pierwsze zdarz. wewn.</translation>
    </message>
    <message>
        <source>Generate groups for visual project</source>
        <translation>Utwórz grupy dla projektu wizualnego</translation>
    </message>
    <message>
        <source>Compose compound scenes</source>
        <translation>Utwórz sceny złożone ze scen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Zastosuj</translation>
    </message>
    <message>
        <source>Sector</source>
        <translation>Sektor</translation>
    </message>
    <message>
        <source>Channel from</source>
        <translation>Kanał od</translation>
    </message>
    <message>
        <source>Channel to</source>
        <translation>Kanał do</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Brak</translation>
    </message>
</context>
<context>
    <name>as_edit_widget</name>
    <message>
        <source>Static</source>
        <translation>Statyczna</translation>
    </message>
    <message>
        <source>In motion</source>
        <translation>W ruchu</translation>
    </message>
    <message>
        <source>Go to visual design mode</source>
        <translation>Przejdź do trybu wizualizacji</translation>
    </message>
</context>
<context>
    <name>ascene_groups_widget</name>
    <message>
        <source>Group No.</source>
        <translation>Nr grupy</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>Scena</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Opis</translation>
    </message>
    <message>
        <source>Select group:</source>
        <translation>Wybierz grupę:</translation>
    </message>
    <message>
        <source>Group %1 members:</source>
        <translation>Sceny grupy %1:</translation>
    </message>
    <message>
        <source>Add selected scene</source>
        <translation>Dodaj wybraną scenę</translation>
    </message>
    <message>
        <source>Remove selected member</source>
        <translation>Usuń wybraną scenę z grupy</translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation>Grupa %1</translation>
    </message>
    <message>
        <source>Scene %1</source>
        <translation>Scena %1</translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>Nothing to do!</source>
        <translation>Nic do zrobienia!</translation>
    </message>
    <message>
        <source>Scene %1 already coupled with group %2!</source>
        <translation>Scena %1 jest już sprzężona z grupą %2!</translation>
    </message>
    <message>
        <source>Scene %1 is coupled with group %2!</source>
        <translation>Scena %1 jest sprzężona z grupą %2!</translation>
    </message>
    <message>
        <source>
Do you really move it to group %1?</source>
        <translation>
Czy na pewno przenieść ją do grupy %1?</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Czy na pewno?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Yes, I do!</source>
        <translation>Tak, na pewno!</translation>
    </message>
    <message>
        <source>Unrealisable action!</source>
        <translation>Operacja niewykonalna!</translation>
    </message>
    <message>
        <source>To many coupled scenes!</source>
        <translation>Zbyt wiele scen sprzężonych!</translation>
    </message>
</context>
<context>
    <name>ascene_settings_widget</name>
    <message>
        <source>Coupled Scenes</source>
        <translation>Sceny sprzężone</translation>
    </message>
    <message>
        <source>Transparently from DMX input</source>
        <translation>Przezroczyście z wejścia DMX</translation>
    </message>
    <message>
        <source>Hide monitor window</source>
        <translation>Ukryj okno monitora</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Zapisz jako</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>Scena</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Maska</translation>
    </message>
    <message>
        <source>Use of existing values</source>
        <translation>Użycie istniejących wartości</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Nadpisz</translation>
    </message>
    <message>
        <source>Save as item</source>
        <translation>Zapisz pod numerem</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Controller error</source>
        <translation>Błąd sterownika</translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation>Brak połączenia!</translation>
    </message>
    <message>
        <source>Action failed!</source>
        <translation>Operacja nie powiodła się!</translation>
    </message>
    <message>
        <source>Mixed (bigger win)</source>
        <translation>Mieszaj (wyższa wygrywa)</translation>
    </message>
    <message>
        <source>Mixed linear</source>
        <translation>Mieszaj liniowo</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Mnożenie</translation>
    </message>
    <message>
        <source>Invert + overwrite</source>
        <translation>Odwróć i nadpisz</translation>
    </message>
</context>
<context>
    <name>aseq_conf_widget</name>
    <message>
        <source>Step No.</source>
        <translation>Nr kroku</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>Czas opóźnienia</translation>
    </message>
    <message>
        <source>Global Time</source>
        <translation>Czas od startu</translation>
    </message>
    <message>
        <source>undefined</source>
        <translation>nieokreślony</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) </source>
        <translation>
            <numerusform>%n dzień </numerusform>
            <numerusform>%n dni </numerusform>
            <numerusform>%n dni </numerusform>
        </translation>
    </message>
    <message>
        <source>finish</source>
        <translation>koniec</translation>
    </message>
    <message>
        <source>Action failed!</source>
        <translation>Operacja nie powiodła się!</translation>
    </message>
    <message>
        <source>To many delays defined!</source>
        <translation>Zdefiniowano zbyt wiele opóźnień!</translation>
    </message>
</context>
<context>
    <name>aseq_settings_widget</name>
    <message>
        <source>Sequences</source>
        <translation>Sekwencje</translation>
    </message>
    <message>
        <source>Sequence No. %1</source>
        <translation>Sekwencja nr %1</translation>
    </message>
    <message>
        <source>Number of steps in sequence:</source>
        <translation>Liczba kroków sekwencji:</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Wstaw</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Finish
prev. step</source>
        <translation>Zakończ
poprz. krok</translation>
    </message>
    <message>
        <source>Seq. description:</source>
        <translation>Opis sekwencji:</translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
</context>
<context>
    <name>asettings_clock_widget</name>
    <message>
        <source>DST</source>
        <translation>Czas letni</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Kalibracja</translation>
    </message>
    <message>
        <source>Adjustment:</source>
        <translation>Korekta:</translation>
    </message>
    <message>
        <source>Use system date and time</source>
        <comment>checkbox</comment>
        <translation>Użyj daty i czasu systemu</translation>
    </message>
    <message>
        <source>Enable Daylight Saving Time</source>
        <translation>Włącz czas letni</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>KvOrbit310+</source>
        <translation>KvOrbit310+</translation>
    </message>
    <message>
        <source>Date and time setting
error!</source>
        <translation>Błąd ustawiania
daty i czasu!</translation>
    </message>
    <message>
        <source>Date and time setting
successful!</source>
        <translation>Data i czas
ustawione!</translation>
    </message>
    <message>
        <source>USB Interface</source>
        <translation>Interfejs USB</translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation>Brak połączenia!</translation>
    </message>
</context>
<context>
    <name>asettings_descs_widget</name>
    <message>
        <source>States</source>
        <translation>Stany</translation>
    </message>
    <message>
        <source>State </source>
        <translation>Stan </translation>
    </message>
    <message>
        <source>Panels</source>
        <translation>Panele</translation>
    </message>
    <message>
        <source>Panel %1</source>
        <translation>Panel %1</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Wejścia</translation>
    </message>
    <message>
        <source>Input %1</source>
        <translation>Wejście %1</translation>
    </message>
    <message>
        <source>RCU inputs</source>
        <translation>Przyciski pilota</translation>
    </message>
    <message>
        <source>Button %1</source>
        <translation>Przycisk %1</translation>
    </message>
    <message>
        <source>Scenes</source>
        <translation>Sceny</translation>
    </message>
    <message>
        <source>Scene %1</source>
        <translation>Scena %1</translation>
    </message>
    <message>
        <source>Masks</source>
        <translation>Maski</translation>
    </message>
    <message>
        <source>Mask %1</source>
        <translation>Maska %1</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programy</translation>
    </message>
    <message>
        <source>Program %1</source>
        <translation>Program %1</translation>
    </message>
    <message>
        <source>Timers</source>
        <translation>Timery</translation>
    </message>
    <message>
        <source>Timer %1</source>
        <translation>Timer %1</translation>
    </message>
    <message>
        <source>Delays ( Events: delay end )</source>
        <translation>Opóźnienia ( zdarzenia: koniec )</translation>
    </message>
    <message>
        <source>Delay %1</source>
        <translation>Opóźnienie %1</translation>
    </message>
    <message>
        <source>Sequences ( Events: sequence start )</source>
        <translation>Sekwencje ( zdarzenia: start )</translation>
    </message>
    <message>
        <source>Sequence %1</source>
        <translation>Sekwencja %1</translation>
    </message>
    <message>
        <source>Events: DMX input</source>
        <translation>Zdarzenia: wejście DMX</translation>
    </message>
    <message>
        <source>Channel %1: %2</source>
        <translation>Kanał %1: %2</translation>
    </message>
    <message>
        <source>Events: DMX output</source>
        <translation>Zdarzenia: wyjście DMX</translation>
    </message>
    <message>
        <source>Events: internal</source>
        <translation>Zdarzenia: wewnętrzne</translation>
    </message>
    <message>
        <source>Internal event %1</source>
        <translation>Zdarz. wewn. %1</translation>
    </message>
    <message>
        <source>Events: input state changed</source>
        <translation>Zdarzenia: zmiana stanu wejścia</translation>
    </message>
    <message>
        <source>Input %1: %2</source>
        <translation>Wejście %1: %2</translation>
    </message>
    <message>
        <source>Events: RCU keys events</source>
        <translation>Zdarzenia: klawisze pilota</translation>
    </message>
    <message>
        <source>Btn %1: %2</source>
        <translation>Przyc. %1: %2</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Pozycja</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Opis</translation>
    </message>
    <message>
        <source>Choose description category: </source>
        <translation>Wybierz kategorię opisów: </translation>
    </message>
    <message>
        <source>on</source>
        <translation>wł.</translation>
    </message>
    <message>
        <source>off</source>
        <translation>wył.</translation>
    </message>
    <message>
        <source>pressed</source>
        <translation>naciśnięty</translation>
    </message>
    <message>
        <source>repeated</source>
        <translation>powtarzany</translation>
    </message>
    <message>
        <source>released</source>
        <translation>zwolniony</translation>
    </message>
</context>
<context>
    <name>asettings_dmx_in_widget</name>
    <message>
        <source>Limit input DMX channels to:</source>
        <translation>Ogranicz wejściowe kanały DMX do:</translation>
    </message>
    <message>
        <source>Checked channels can set scenes&apos; and masks&apos; phases</source>
        <translation>Zaznaczone kanały mogą ustawiać fazy scen i masek</translation>
    </message>
    <message>
        <source>to</source>
        <translation>do</translation>
    </message>
    <message>
        <source>Choose all</source>
        <translation>Wybierz wszystkie</translation>
    </message>
    <message>
        <source>In range from</source>
        <translation>W zakresie od</translation>
    </message>
    <message>
        <source>or choose every</source>
        <translation>lub wybierz co</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Zaznacz</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Odznacz</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Odwróć</translation>
    </message>
    <message>
        <source>Execute!</source>
        <translation>Wykonaj!</translation>
    </message>
    <message>
        <source>Active Scenes control channel</source>
        <translation>Kanał sterujący scen aktywnych</translation>
    </message>
</context>
<context>
    <name>asettings_dmx_widget</name>
    <message>
        <source>DMX Channel</source>
        <comment>column title</comment>
        <translation>Kanał DMX</translation>
    </message>
    <message>
        <source>Channel Settings</source>
        <comment>column title</comment>
        <translation>Ustawienia kanału</translation>
    </message>
    <message>
        <source>DMX Channel: %1</source>
        <translation>Kanał DMX: %1</translation>
    </message>
    <message>
        <source>DMX Ch. %1</source>
        <translation>Kanał DMX %1</translation>
    </message>
</context>
<context>
    <name>asettings_inputs_delegate</name>
    <message>
        <source>Unused</source>
        <translation>Nieużywane</translation>
    </message>
    <message>
        <source>Normal Open</source>
        <translation>Normalnie otwarte</translation>
    </message>
    <message>
        <source>Normal Close</source>
        <translation>Normalnie zamknięte</translation>
    </message>
</context>
<context>
    <name>asettings_inputs_widget</name>
    <message>
        <source>Input</source>
        <comment>column name</comment>
        <translation>Wejście</translation>
    </message>
    <message>
        <source>Input Type</source>
        <comment>column name</comment>
        <translation>Typ wejścia</translation>
    </message>
    <message>
        <source>Description</source>
        <comment>column name</comment>
        <translation>Opis</translation>
    </message>
    <message>
        <source>Input %1</source>
        <translation>Wejście %1</translation>
    </message>
    <message>
        <source>Normal Open</source>
        <translation>Normalnie otwarte</translation>
    </message>
    <message>
        <source>Normal Close</source>
        <translation>Normalnie zamknięte</translation>
    </message>
    <message>
        <source>Unused</source>
        <translation>Nieużywane</translation>
    </message>
</context>
<context>
    <name>asettings_ired_tab</name>
    <message>
        <source>Button</source>
        <comment>column name</comment>
        <translation>Przycisk</translation>
    </message>
    <message>
        <source>Code</source>
        <comment>column name</comment>
        <translation>Kod</translation>
    </message>
    <message>
        <source>Description</source>
        <comment>column name</comment>
        <translation>Opis</translation>
    </message>
    <message>
        <source>Read from file</source>
        <translation>Wczytaj z pliku</translation>
    </message>
    <message>
        <source>Save to file</source>
        <translation>Zapisz do pliku</translation>
    </message>
    <message>
        <source>Read from controller</source>
        <translation>Odczytaj ze sterownika</translation>
    </message>
    <message>
        <source>Send to controller</source>
        <translation>Wyślij do sterownika</translation>
    </message>
    <message>
        <source>Clear settings</source>
        <translation>Wyczyść ustawienia</translation>
    </message>
    <message>
        <source>System Address</source>
        <translation>Adres systemowy</translation>
    </message>
    <message>
        <source>Do not use RCU</source>
        <translation>Bez pilota</translation>
    </message>
    <message>
        <source>Forced</source>
        <translation>Adres ręczny</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Get from RCU</source>
        <translation>Pobierz z pilota</translation>
    </message>
    <message>
        <source>Selected Button</source>
        <translation>Wybrany przycisk</translation>
    </message>
    <message>
        <source>Not used</source>
        <translation>Nieużywany</translation>
    </message>
    <message>
        <source>Forced code</source>
        <translation>Kod ręczny</translation>
    </message>
    <message>
        <source>Get code from RCU</source>
        <translation>Pobierz kod z pilota</translation>
    </message>
    <message>
        <source>Current system address:</source>
        <translation>Bieżący adres systemowy:</translation>
    </message>
    <message>
        <source>undetermined</source>
        <translation>nieokreślony</translation>
    </message>
    <message>
        <source>Button description</source>
        <translation>Opis przycisku</translation>
    </message>
    <message>
        <source>no description</source>
        <translation>brak opisu</translation>
    </message>
    <message>
        <source>Btn %1</source>
        <translation>Prz. %1</translation>
    </message>
    <message>
        <source>KvOrbit RCU Settings (*.rcu)</source>
        <translation>Ustawienia pilota KvOrbit (*.rcu)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>Choose a RCU settings file for </source>
        <translation>Wybierz plik ustawień pilota dla sterownika </translation>
    </message>
    <message>
        <source> controller</source>
        <translation> </translation>
    </message>
    <message>
        <source>File error</source>
        <translation>Błąd pliku</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot; to write!</source>
        <translation>Nie można otworzyć pliku &quot;%1&quot; do zapisu!</translation>
    </message>
    <message>
        <source>Choose a RCU settings file for KV310 controller</source>
        <translation>Wybierz plik ustawień pilota dla sterownika KV310</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;!</source>
        <translation>Nie można otworzyć pliku &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>Data error!</source>
        <translation>Błąd danych!</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Pomiń</translation>
    </message>
    <message>
        <source>Ignore all</source>
        <translation>Pomiń wszystkie</translation>
    </message>
    <message>
        <source>Undetermined RCU address value!</source>
        <translation>Nieokreślony adres pilota!</translation>
    </message>
    <message>
        <source>Invalid system address value!</source>
        <translation>Nieprawidłowy adres systemowy!</translation>
    </message>
    <message>
        <source>Undetermined key codes table!</source>
        <translation>Nieokreślona tablica kodów klawiszy!</translation>
    </message>
    <message>
        <source>Invalid key number!</source>
        <translation>Nieprawidłowy numer klawisza!</translation>
    </message>
    <message>
        <source>Invalid key code!</source>
        <translation>Nieprawidłowy kod klawisza!</translation>
    </message>
    <message>
        <source>Not a remote-control settings file!</source>
        <translation>To nie jest plik ustawień pilota!</translation>
    </message>
</context>
<context>
    <name>btn_lbl</name>
    <message>
        <source>Descr.</source>
        <translation>Opisy</translation>
    </message>
</context>
<context>
    <name>cellSelectionGroup</name>
    <message>
        <source>Selection</source>
        <translation>Zaznaczanie</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Zaznacz</translation>
    </message>
    <message>
        <source>Deselect</source>
        <translation>Odznacz</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Odwróć</translation>
    </message>
    <message>
        <source>Choose all or...</source>
        <translation>Wszystkie lub...</translation>
    </message>
    <message>
        <source>Choose every</source>
        <translation>Wybierz co</translation>
    </message>
    <message>
        <source>In range</source>
        <translation>W zakresie</translation>
    </message>
    <message>
        <source>from </source>
        <translation>od </translation>
    </message>
    <message>
        <source>to</source>
        <translation>do</translation>
    </message>
    <message>
        <source>Execute!</source>
        <translation>Wykonaj!</translation>
    </message>
</context>
<context>
    <name>chnlRelocator</name>
    <message>
        <source>DMX channels relocation</source>
        <translation>Relokacja kanałów DMX</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wyczyść</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
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
    <name>configFiles</name>
    <message>
        <source>KvOrbit310+ project/config files (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;All files (*)</source>
        <translation>Pliki projektu/konfiguracji KvOrbit310+ (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;Wszystkie pliki (*)</translation>
    </message>
</context>
<context>
    <name>ctrlChnls</name>
    <message>
        <source>Dialog</source>
        <translation>Okno</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>ctrlEffects</name>
    <message>
        <source>Fixture %1</source>
        <translation>Oprawa %1</translation>
    </message>
    <message>
        <source>en</source>
        <translation>pl</translation>
    </message>
    <message>
        <source>Channel %1:%2 : </source>
        <translation>Kanał %1:%2 : </translation>
    </message>
    <message>
        <source>Channel %1: </source>
        <translation>Kanał %1: </translation>
    </message>
    <message>
        <source>No light control channels!</source>
        <translation>Brak kanałów sterowania światłem!</translation>
    </message>
    <message>
        <source>Fixtures: </source>
        <translation>Oprawy: </translation>
    </message>
    <message>
        <source>Light control</source>
        <translation>Sterowanie światłem</translation>
    </message>
</context>
<context>
    <name>ctrl_monitor</name>
    <message>
        <source>Controller Monitoring</source>
        <translation>Monitorowanie sterownika</translation>
    </message>
    <message>
        <source>Show inputs&apos; states</source>
        <translation>Pokaż stany wejść</translation>
    </message>
    <message>
        <source>Show input DMX values</source>
        <translation>Pokaż wejście DMX</translation>
    </message>
    <message>
        <source>Show output DMX values</source>
        <translation>Pokaż wyjście DMX</translation>
    </message>
    <message>
        <source>Show internal states</source>
        <translation>Pokaż stany wewnętrzne</translation>
    </message>
    <message>
        <source>Controller error</source>
        <translation>Błąd sterownika</translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation>Brak połączenia!</translation>
    </message>
    <message>
        <source>Refresh rate (ms)</source>
        <translation>Odświeżanie (ms)</translation>
    </message>
    <message>
        <source>Inputs&apos; states</source>
        <translation>Stany wejść</translation>
    </message>
    <message>
        <source>Output DMX values</source>
        <translation>Wartości wyjścia DMX</translation>
    </message>
    <message>
        <source>Input DMX values</source>
        <translation>Wartości wejścia DMX</translation>
    </message>
    <message>
        <source>Internal states</source>
        <translation>Stany wewnętrzne</translation>
    </message>
    <message>
        <source>Active states</source>
        <translation>Stany aktywne</translation>
    </message>
    <message>
        <source>Active scenes</source>
        <translation>Sceny aktywne</translation>
    </message>
    <message>
        <source>Active programs</source>
        <translation>Programy aktywne</translation>
    </message>
    <message>
        <source>Active masks</source>
        <translation>Maski aktywne</translation>
    </message>
    <message>
        <source>Active delays</source>
        <translation>Opóźnienia aktywne</translation>
    </message>
</context>
<context>
    <name>delayTimeEdit</name>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Defined</source>
        <translation>Określony</translation>
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
    <name>dlgFixture</name>
    <message>
        <source>Descriptions</source>
        <translation>Opisy</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etykieta</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Komentarz</translation>
    </message>
    <message>
        <source>Current position</source>
        <translation>Bieżąca pozycja</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Obrót</translation>
    </message>
    <message>
        <source>-180°</source>
        <translation>-180°</translation>
    </message>
    <message>
        <source>180°</source>
        <translation>180°</translation>
    </message>
    <message>
        <source>0°</source>
        <translation>0°</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Biblioteka</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Variant:</source>
        <translation>Wariant:</translation>
    </message>
    <message>
        <source>Provider</source>
        <translation>Producent</translation>
    </message>
    <message>
        <source>Provider:</source>
        <translation>Producent:</translation>
    </message>
    <message>
        <source>Power reduced to</source>
        <translation>Moc ograniczona do</translation>
    </message>
    <message>
        <source>DMX channels</source>
        <translation>Kanały DMX</translation>
    </message>
    <message>
        <source>Relocation table (empty)</source>
        <translation>Tabela relokacji (pusta)</translation>
    </message>
    <message>
        <source>starting from </source>
        <translation>począwszy od </translation>
    </message>
    <message>
        <source>Number of channels</source>
        <translation>Liczba kanałów</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
</context>
<context>
    <name>dlgGroups</name>
    <message>
        <source>Group management</source>
        <translation>Zarządzanie grupami</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Grupy</translation>
    </message>
    <message>
        <source>Create new</source>
        <translation>Utwórz nową</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Usuń wszystkie</translation>
    </message>
    <message>
        <source>Members:</source>
        <translation>Członkowie:</translation>
    </message>
    <message>
        <source>Others:</source>
        <translation>Pozostałe:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Dodaj</translation>
    </message>
    <message>
        <source>Add all</source>
        <translation>Dodaj wszystkie</translation>
    </message>
    <message>
        <source>Copy selection</source>
        <translation>Kopiuj zaznaczenie</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Zmień nazwę</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>dmxOutputSet</name>
    <message>
        <source>Form</source>
        <translation>Formularz</translation>
    </message>
    <message>
        <source>Triggered</source>
        <translation>Wyzwalana</translation>
    </message>
    <message>
        <source>Hysteresis level UP:</source>
        <translation>Próg histerezy GÓRNY:</translation>
    </message>
    <message>
        <source>Hysteresis level DOWN:</source>
        <translation>Próg histerezy DOLNY:</translation>
    </message>
    <message>
        <source>DMX Channel Values</source>
        <translation>Wartości kanału DMX</translation>
    </message>
    <message>
        <source>Minimal value:</source>
        <translation>Wartość minimalna:</translation>
    </message>
    <message>
        <source>Maximal value:</source>
        <translation>Wartość maksymalna:</translation>
    </message>
    <message>
        <source>Events Generation</source>
        <translation>Generowanie zdarzeń</translation>
    </message>
    <message>
        <source>From channel</source>
        <translation>Od kanału</translation>
    </message>
    <message>
        <source>To channel</source>
        <translation>Do kanału</translation>
    </message>
    <message>
        <source>Number Of Channels</source>
        <translation>Liczba kanałów</translation>
    </message>
    <message>
        <source>Output Channels Limit </source>
        <translation>Limit kanałów wyjść</translation>
    </message>
    <message>
        <source>Characteristic</source>
        <translation>Charakterystyka</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Liniowa</translation>
    </message>
    <message>
        <source>Non-linear</source>
        <translation>Nieliniowa</translation>
    </message>
    <message>
        <source>DMX Input Signal Transmission</source>
        <translation>Przesyłanie sygnału wejścia DMX</translation>
    </message>
    <message>
        <source>Mark Between Frame Time</source>
        <translation>Przerwa między ramkami</translation>
    </message>
    <message>
        <source>no delay</source>
        <translation>bez zwłoki</translation>
    </message>
    <message>
        <source> µs</source>
        <translation> µs</translation>
    </message>
    <message>
        <source>Set MBFT to</source>
        <translation>Ustaw MBFT na</translation>
    </message>
</context>
<context>
    <name>dmxReloc_class</name>
    <message>
        <source>Fixture channel</source>
        <translation>Kanał oprawy</translation>
    </message>
    <message>
        <source>DMX channel</source>
        <translation>Kanał DMX</translation>
    </message>
    <message>
        <source>en</source>
        <translation>pl</translation>
    </message>
</context>
<context>
    <name>dmx_value_class</name>
    <message>
        <source>On</source>
        <translation>Wł.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Wył.</translation>
    </message>
    <message>
        <source>no description...</source>
        <translation>brak opisu...</translation>
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
        <translation>Szczegóły projektu</translation>
    </message>
    <message>
        <source>External fixtures library</source>
        <translation>Zewnętrzna biblioteka opraw</translation>
    </message>
    <message>
        <source>Old style project definition file</source>
        <translation>Plik definicji projektu w starym formacie</translation>
    </message>
    <message>
        <source>Date and Time</source>
        <translation>Data i godzina</translation>
    </message>
    <message>
        <source>Enable / Disable Delay Times</source>
        <translation>Włącz / wyłącz czasy opóźnień</translation>
    </message>
    <message>
        <source>Time scale</source>
        <translation>Skala czasu</translation>
    </message>
    <message>
        <source>Events Generator</source>
        <translation>Generator zdarzeń</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation>Różne</translation>
    </message>
    <message>
        <source>Enable Sunrise / Sunset Events</source>
        <translation>Włącz zdarzenia wschodu / zachodu słońca</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Za&amp;kończ</translation>
    </message>
    <message>
        <source>Close application</source>
        <translation>Zamknij aplikację</translation>
    </message>
    <message>
        <source>&amp;Open file</source>
        <translation>&amp;Otwórz plik</translation>
    </message>
    <message>
        <source>Open configuration file</source>
        <translation>Otwórz plik konfiguracji</translation>
    </message>
    <message>
        <source>&amp;Save file</source>
        <translation>&amp;Zapisz plik</translation>
    </message>
    <message>
        <source>Save configuration file</source>
        <translation>Zapisz plik konfiguracji</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Wyczyść</translation>
    </message>
    <message>
        <source>Clear current configuration</source>
        <translation>Wyczyść bieżącą konfigurację</translation>
    </message>
    <message>
        <source>View &amp;Inputs</source>
        <translation>Pokaż &amp;wejścia</translation>
    </message>
    <message>
        <source>Show inputs&apos; state in another window</source>
        <translation>Pokaż stan wejść w osobnym oknie</translation>
    </message>
    <message>
        <source>View &amp;States</source>
        <translation>Pokaż &amp;stany</translation>
    </message>
    <message>
        <source>Show internal states in another window</source>
        <translation>Pokaż stany wewnętrzne w osobnym oknie</translation>
    </message>
    <message>
        <source>View &amp;DMX output</source>
        <translation>Pokaż wyjście &amp;DMX</translation>
    </message>
    <message>
        <source>Show DMX output channels in another window</source>
        <translation>Pokaż kanały wyjściowe DMX w osobnym oknie</translation>
    </message>
    <message>
        <source>View DM&amp;X input</source>
        <translation>Pokaż wejście DM&amp;X</translation>
    </message>
    <message>
        <source>Show DMX input channels in another window</source>
        <translation>Pokaż kanały wejściowe DMX w osobnym oknie</translation>
    </message>
    <message>
        <source>Design mode</source>
        <translation>Tryb projektowania</translation>
    </message>
    <message>
        <source>Check or modify your visualisation project</source>
        <translation>Sprawdź lub zmień projekt wizualizacji</translation>
    </message>
    <message>
        <source>Visualisation mode</source>
        <translation>Tryb wizualizacji</translation>
    </message>
    <message>
        <source>Visualise your show on the screen</source>
        <translation>Pokaż wizualizację pokazu na ekranie</translation>
    </message>
    <message>
        <source>Close aux. &amp;windows</source>
        <translation>&amp;Zamknij okna pomocnicze</translation>
    </message>
    <message>
        <source>Close all auxiliary windows</source>
        <translation>Zamknij wszystkie okna pomocnicze</translation>
    </message>
    <message>
        <source>&amp;Upgrade device</source>
        <translation>&amp;Aktualizuj urządzenie</translation>
    </message>
    <message>
        <source>Send upgrade to device</source>
        <translation>Wyślij aktualizację do urządzenia</translation>
    </message>
    <message>
        <source>&amp;Verify firmware</source>
        <translation>&amp;Weryfikuj firmware</translation>
    </message>
    <message>
        <source>Verify firmware</source>
        <translation>Weryfikacja oprogramowania układowego</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Pomo&amp;c</translation>
    </message>
    <message>
        <source>How to get help</source>
        <translation>Jak uzyskać pomoc</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;O programie</translation>
    </message>
    <message>
        <source>Information about application</source>
        <translation>Informacje o aplikacji</translation>
    </message>
    <message>
        <source>About &amp;project</source>
        <translation>O p&amp;rojekcie</translation>
    </message>
    <message>
        <source>Information about project.</source>
        <translation>Informacje o projekcie.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>Operations on files and exit</source>
        <translation>Operacje na plikach i zakończenie pracy</translation>
    </message>
    <message>
        <source>&amp;Views</source>
        <translation>&amp;Widoki</translation>
    </message>
    <message>
        <source>Auxiliary windows control</source>
        <translation>Obsługa okien pomocniczych</translation>
    </message>
    <message>
        <source>&amp;Upgrade</source>
        <translation>&amp;Aktualizacja</translation>
    </message>
    <message>
        <source>Firmware version management</source>
        <translation>Zarządzanie wersją oprogramowania układowego</translation>
    </message>
    <message>
        <source>Short informations about application</source>
        <translation>Krótkie informacje o aplikacji</translation>
    </message>
    <message>
        <source>Start-up Time</source>
        <translation>Czas uruchamiania</translation>
    </message>
    <message>
        <source>Shut-down Time</source>
        <translation>Czas wyłączania</translation>
    </message>
    <message>
        <source>Location latitude:</source>
        <translation>Szerokość geograficzna:</translation>
    </message>
    <message>
        <source>Location longitude:</source>
        <translation>Długość geograficzna:</translation>
    </message>
    <message>
        <source>Time zone:</source>
        <translation>Strefa czasowa:</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Oblicz</translation>
    </message>
    <message>
        <source>Read from file</source>
        <translation>Wczytaj z pliku</translation>
    </message>
    <message>
        <source>Save to file</source>
        <translation>Zapisz do pliku</translation>
    </message>
    <message>
        <source>Recalculate
project
times</source>
        <translation>Przelicz
czasy
projektu</translation>
    </message>
    <message>
        <source>Choose event:</source>
        <translation>Wybierz zdarzenie:</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Wejście</translation>
    </message>
    <message>
        <source>Seq. start</source>
        <translation>Start sekw.</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Opóźnienie</translation>
    </message>
    <message>
        <source>Internal Event</source>
        <translation>Wewnętrzne</translation>
    </message>
    <message>
        <source>DMX In</source>
        <translation>Wej. DMX</translation>
    </message>
    <message>
        <source>DMX Out</source>
        <translation>Wyj. DMX</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>R. C. Key</source>
        <translation>Klawisz pilota</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Generuj</translation>
    </message>
    <message>
        <source>Enable communication
with external panels</source>
        <translation>Włącz komunikację
z panelami zewnętrznymi</translation>
    </message>
    <message>
        <source>Enable setting scenes
with DMX inputs</source>
        <translation>Włącz ustawianie scen
przez wejścia DMX</translation>
    </message>
    <message>
        <source>Background image:</source>
        <translation>Obraz tła:</translation>
    </message>
    <message>
        <source>darkened</source>
        <translation>przyciemniony</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Przeglądaj</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Brak</translation>
    </message>
    <message>
        <source>Sketch image:</source>
        <translation>Obraz szkicu:</translation>
    </message>
    <message>
        <source>brightened</source>
        <translation>rozjaśniony</translation>
    </message>
    <message>
        <source>Project area:</source>
        <translation>Obszar projektu:</translation>
    </message>
    <message>
        <source>mm    X</source>
        <translation>mm    X</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Refresh fixtures definition</source>
        <translation>Odśwież definicje opraw</translation>
    </message>
    <message>
        <source>Number of fixtures:</source>
        <translation>Liczba opraw:</translation>
    </message>
    <message>
        <source>Number of groups:</source>
        <translation>Liczba grup:</translation>
    </message>
    <message>
        <source>Project status:</source>
        <translation>Stan projektu:</translation>
    </message>
    <message>
        <source>invalid!</source>
        <translation>niepoprawny!</translation>
    </message>
    <message>
        <source>Hide monitor window</source>
        <translation>Ukryj okno monitora</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Stan:</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>nie wczytano</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Zwolnij</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Wczytaj</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Plik:</translation>
    </message>
    <message>
        <source>read</source>
        <translation>wczytano</translation>
    </message>
    <message>
        <source>Choose an upgrade file for </source>
        <translation>Wybierz plik aktualizacji dla sterownika </translation>
    </message>
    <message>
        <source> controller</source>
        <translation> </translation>
    </message>
    <message>
        <source>Upgrade (*.upg)</source>
        <translation>Aktualizacja (*.upg)</translation>
    </message>
    <message>
        <source> - Help</source>
        <translation> - Pomoc</translation>
    </message>
    <message>
        <source>Please call or send an email.

Telephone: the number on your delivery note
Fax: the number on your delivery note

E-mail: the support address on your delivery note</source>
        <translation>Prosimy o telefon lub e-mail.

Telefon: numer podany na dowodzie dostawy
Faks: numer podany na dowodzie dostawy

E-mail: adres pomocy technicznej podany na dowodzie dostawy</translation>
    </message>
    <message>
        <source> - About</source>
        <translation> - O programie</translation>
    </message>
    <message>
        <source>Software for </source>
        <translation>Oprogramowanie </translation>
    </message>
    <message>
        <source> controller configuration.
Release:   </source>
        <translation> do konfiguracji sterownika.
Wersja:   </translation>
    </message>
    <message>
        <source>

Supplied by your Kv310+ dealer</source>
        <translation>

Dostawca: Twój sprzedawca Kv310+</translation>
    </message>
    <message>
        <source>
Postal address, telephone, fax, tax number and e-mail:
see the documents delivered with your controller.</source>
        <translation>
Adres pocztowy, telefon, faks, NIP i e-mail:
patrz dokumenty dostarczone ze sterownikiem.</translation>
    </message>
    <message>
        <source>Loaded project info: </source>
        <translation>Informacje o wczytanym projekcie: </translation>
    </message>
    <message>
        <source>not available</source>
        <translation>niedostępne</translation>
    </message>
    <message>
        <source>
File date: not available</source>
        <translation>
Data pliku: niedostępna</translation>
    </message>
    <message>
        <source>
File date: </source>
        <translation>
Data pliku: </translation>
    </message>
    <message>
        <source>KvOrbit310+ - project info</source>
        <translation>KvOrbit310+ - informacje o projekcie</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Aktualizacja</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>Choose a library file for KV310 visualisation project</source>
        <translation>Wybierz plik biblioteki dla projektu wizualizacji KV310</translation>
    </message>
    <message>
        <source>Light Fixtures Libraries (*.fxl)</source>
        <translation>Biblioteki opraw oświetleniowych (*.fxl)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>Name field empty!</source>
        <translation>Pole nazwy jest puste!</translation>
    </message>
    <message>
        <source>Choose a library file!</source>
        <translation>Wybierz plik biblioteki!</translation>
    </message>
    <message>
        <source>File error</source>
        <translation>Błąd pliku</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;!</source>
        <translation>Nie można otworzyć pliku &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>Invalid file!</source>
        <translation>Nieprawidłowy plik!</translation>
    </message>
    <message>
        <source>This file is not a valid library file:
&quot;%1&quot;!</source>
        <translation>To nie jest prawidłowy plik biblioteki:
&quot;%1&quot;!</translation>
    </message>
    <message>
        <source>Choose a definition file for KV310 visualisation project</source>
        <translation>Wybierz plik definicji projektu wizualizacji KV310</translation>
    </message>
    <message>
        <source>KvOrbit310+ Visual Projects (*.kvp)</source>
        <translation>Projekty wizualne KvOrbit310+ (*.kvp)</translation>
    </message>
    <message>
        <source>Choose a project file!</source>
        <translation>Wybierz plik projektu!</translation>
    </message>
    <message>
        <source>This file is not a valid project file:
&quot;%1&quot;!</source>
        <translation>To nie jest prawidłowy plik projektu:
&quot;%1&quot;!</translation>
    </message>
    <message>
        <source>Choose a %1 image for KV310 visualisation project</source>
        <translation>Wybierz obraz %1 dla projektu wizualizacji KV310</translation>
    </message>
    <message>
        <source>sketch</source>
        <translation>szkicu</translation>
    </message>
    <message>
        <source>background</source>
        <translation>tła</translation>
    </message>
    <message>
        <source>Image files (*.bmp; *.jpg; *.png)</source>
        <translation>Pliki obrazów (*.bmp; *.jpg; *.png)</translation>
    </message>
    <message>
        <source>valid</source>
        <translation>poprawny</translation>
    </message>
    <message>
        <source>No active library information!</source>
        <translation>Brak informacji o aktywnej bibliotece!</translation>
    </message>
    <message>
        <source>CSV sheets (*.csv)</source>
        <translation>Arkusze CSV (*.csv)</translation>
    </message>
    <message>
        <source>Choose a file containing sunrise and sunset times</source>
        <translation>Wybierz plik z godzinami wschodu i zachodu słońca</translation>
    </message>
    <message>
        <source>Cannot open file %1!</source>
        <translation>Nie można otworzyć pliku %1!</translation>
    </message>
    <message>
        <source>Cannot read times!</source>
        <translation>Nie można wczytać godzin!</translation>
    </message>
    <message>
        <source>Choose a file to save sunrise and sunset times</source>
        <translation>Wybierz plik do zapisu godzin wschodu i zachodu słońca</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot; to write!</source>
        <translation>Nie można otworzyć pliku &quot;%1&quot; do zapisu!</translation>
    </message>
    <message>
        <source>Cannot save times!</source>
        <translation>Nie można zapisać godzin!</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>n/d</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Wł.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Wył.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Powtórzenie</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Not connected!</source>
        <comment>QMessageBox</comment>
        <translation>Brak połączenia!</translation>
    </message>
    <message>
        <source>USB Interface</source>
        <translation>Interfejs USB</translation>
    </message>
    <message>
        <source>Control error!</source>
        <translation>Błąd sterowania!</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Zapisać zmiany?</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Odrzuć</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>inKey_class</name>
    <message>
        <source>%1: Off</source>
        <translation>%1: Wył.</translation>
    </message>
    <message>
        <source>no description...</source>
        <translation>brak opisu...</translation>
    </message>
    <message>
        <source>Undef.</source>
        <translation>Nieuż.</translation>
    </message>
    <message>
        <source>%1: On</source>
        <translation>%1: Wł.</translation>
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
        <translation>Błąd konfiguracji:</translation>
    </message>
    <message>
        <source>Coupling tables are not coherent!
The first one was taken.</source>
        <translation>Tablice sprzężeń są niespójne!
Przyjęto pierwszą z nich.</translation>
    </message>
    <message>
        <source>Incomplete file!</source>
        <translation>Niekompletny plik!</translation>
    </message>
    <message>
        <source>Not all days of year are properly described!
	Continue anyway?</source>
        <translation>Nie wszystkie dni roku są poprawnie opisane!
	Kontynuować mimo to?</translation>
    </message>
    <message>
        <source>Skip this</source>
        <translation>Pomiń ten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Skip all</source>
        <translation>Pomiń wszystkie</translation>
    </message>
    <message>
        <source>USB Interface</source>
        <translation>Interfejs USB</translation>
    </message>
    <message>
        <source>Firmware upgrade</source>
        <translation>Aktualizacja oprogramowania układowego</translation>
    </message>
    <message>
        <source>Firmware verification</source>
        <translation>Weryfikacja oprogramowania układowego</translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation>Brak połączenia!</translation>
    </message>
    <message>
        <source>File not found: </source>
        <translation>Nie znaleziono pliku: </translation>
    </message>
    <message>
        <source>File reading error: </source>
        <translation>Błąd odczytu pliku: </translation>
    </message>
    <message>
        <source>File </source>
        <translation>Plik </translation>
    </message>
    <message>
        <source>
is not a proper upgrade file!</source>
        <translation>
nie jest prawidłowym plikiem aktualizacji!</translation>
    </message>
    <message>
        <source>Current version reading error!</source>
        <translation>Błąd odczytu bieżącej wersji!</translation>
    </message>
    <message>
        <source>This release of firmware is already installed!</source>
        <translation>Ta wersja oprogramowania układowego jest już zainstalowana!</translation>
    </message>
    <message>
        <source>Do you really want to install older firmware release?</source>
        <translation>Czy na pewno zainstalować starszą wersję oprogramowania układowego?</translation>
    </message>
    <message>
        <source>Yes, I do!</source>
        <translation>Tak, na pewno!</translation>
    </message>
    <message>
        <source>Protocol error!</source>
        <translation>Błąd protokołu!</translation>
    </message>
    <message>
        <source>Allocation error: </source>
        <translation>Błąd przydziału pamięci: </translation>
    </message>
    <message>
        <source>Insufficient memory!</source>
        <translation>Za mało pamięci!</translation>
    </message>
    <message>
        <source>CRC error in block %1</source>
        <translation>Błąd CRC w bloku %1</translation>
    </message>
    <message>
        <source>Writing error!</source>
        <translation>Błąd zapisu!</translation>
    </message>
    <message>
        <source>Control error!</source>
        <translation>Błąd sterowania!</translation>
    </message>
    <message>
        <source>Reading error!</source>
        <translation>Błąd odczytu!</translation>
    </message>
    <message>
        <source>Incorrect structure of block %1</source>
        <translation>Nieprawidłowa struktura bloku %1</translation>
    </message>
    <message>
        <source>Verification error: block %1
address 0x%2</source>
        <translation>Błąd weryfikacji: blok %1
adres 0x%2</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignoruj</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>The upgrade file is empty!</source>
        <translation>Plik aktualizacji jest pusty!</translation>
    </message>
    <message>
        <source>Upgrade successful!</source>
        <translation>Aktualizacja zakończona pomyślnie!</translation>
    </message>
    <message>
        <source>Upgrade failed!</source>
        <translation>Aktualizacja nie powiodła się!</translation>
    </message>
    <message>
        <source>Verification successful!</source>
        <translation>Weryfikacja zakończona pomyślnie!</translation>
    </message>
    <message>
        <source>Verification failed!</source>
        <translation>Weryfikacja nie powiodła się!</translation>
    </message>
    <message>
        <source>Old-style file format!</source>
        <translation>Stary format pliku!</translation>
    </message>
    <message>
        <source>You have choosen old-style configuration file format (v3)!
Some informations will not be saved into file, and may get lost!
Continue anyway?</source>
        <translation>Wybrano stary format pliku konfiguracji (v3)!
Część informacji nie zostanie zapisana w pliku i może zostać utracona!
Kontynuować mimo to?</translation>
    </message>
    <message>
        <source>Data write to file </source>
        <translation>Zapis danych do pliku </translation>
    </message>
    <message>
        <source>failed!</source>
        <translation>nie powiódł się!</translation>
    </message>
    <message>
        <source>Not enough memory to create temporary flash image!</source>
        <translation>Za mało pamięci na tymczasowy obraz pamięci flash!</translation>
    </message>
    <message>
        <source>successful!</source>
        <translation>zakończony pomyślnie!</translation>
    </message>
    <message>
        <source>Data read from file
    successful!</source>
        <translation>Odczyt danych z pliku
    zakończony pomyślnie!</translation>
    </message>
    <message>
        <source>Data read from file
       failed!

File corrupted.</source>
        <translation>Odczyt danych z pliku
       nie powiódł się!

Plik jest uszkodzony.</translation>
    </message>
    <message>
        <source>Older version!</source>
        <translation>Starsza wersja!</translation>
    </message>
    <message>
        <source>The file contains previous version of configuration!
To convert it into current format try get
a converting program from KVO website!</source>
        <translation>Plik zawiera poprzednią wersję konfiguracji!
Aby przekształcić ją do bieżącego formatu,
pobierz program konwertujący ze strony KVO!</translation>
    </message>
    <message>
        <source>Invalid file!</source>
        <translation>Nieprawidłowy plik!</translation>
    </message>
    <message>
        <source>This file is not a valid project description file:
&quot;%1&quot;</source>
        <translation>To nie jest prawidłowy plik opisu projektu:
&quot;%1&quot;</translation>
    </message>
    <message>
        <source>Compressed project size exceeds reserved flash area!
Some information will not be stored in the device!</source>
        <translation>Skompresowany projekt przekracza zarezerwowany obszar pamięci flash!
Część informacji nie zostanie zapisana w urządzeniu!</translation>
    </message>
    <message>
        <source>Cannot initiate reading!</source>
        <translation>Nie można rozpocząć odczytu!</translation>
    </message>
    <message>
        <source>Cannot read inputs&apos; states!</source>
        <translation>Nie można odczytać stanów wejść!</translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation>Operacja nie powiodła się!</translation>
    </message>
    <message>
        <source>Remote control:</source>
        <translation>Pilot zdalnego sterowania:</translation>
    </message>
    <message>
        <source>Time exceeded!</source>
        <translation>Przekroczono czas oczekiwania!</translation>
    </message>
    <message>
        <source>Invalid R. C. address!</source>
        <translation>Nieprawidłowy adres pilota!</translation>
    </message>
    <message>
        <source>Please select button!</source>
        <translation>Wybierz przycisk!</translation>
    </message>
    <message>
        <source>Divergent key!</source>
        <translation>Niezgodny klawisz!</translation>
    </message>
    <message>
        <source>Invalid key code!</source>
        <translation>Nieprawidłowy kod klawisza!</translation>
    </message>
    <message>
        <source>RCU key code reading failed!</source>
        <translation>Odczyt kodu klawisza pilota nie powiódł się!</translation>
    </message>
    <message>
        <source>Invalid key code [%1]!</source>
        <translation>Nieprawidłowy kod klawisza [%1]!</translation>
    </message>
    <message>
        <source>Ambiguous R. C. address!</source>
        <translation>Niejednoznaczny adres pilota!</translation>
    </message>
    <message>
        <source>RCU key code writing failed!</source>
        <translation>Zapis kodu klawisza pilota nie powiódł się!</translation>
    </message>
    <message>
        <source>RCU address writing failed!</source>
        <translation>Zapis adresu pilota nie powiódł się!</translation>
    </message>
    <message>
        <source>RCU data saving failed!</source>
        <translation>Zapisanie danych pilota nie powiodło się!</translation>
    </message>
    <message>
        <source>Sending configuration and data...</source>
        <translation>Wysyłanie konfiguracji i danych...</translation>
    </message>
    <message>
        <source>Config and data writing
     successful!</source>
        <translation>Zapis konfiguracji i danych
     zakończony pomyślnie!</translation>
    </message>
    <message>
        <source>Config and data writing
     failed!</source>
        <translation>Zapis konfiguracji i danych
     nie powiódł się!</translation>
    </message>
    <message>
        <source>Configuration reading
 failed!</source>
        <translation>Odczyt konfiguracji
 nie powiódł się!</translation>
    </message>
    <message>
        <source>Improper hardware</source>
        <translation>Nieodpowiedni sprzęt</translation>
    </message>
    <message>
        <source>For Kv310 version 3.99 or less, use older KvOrbit310.exe!</source>
        <translation>Dla Kv310 w wersji 3.99 lub starszej użyj starszego KvOrbit310.exe!</translation>
    </message>
    <message>
        <source>This software supports </source>
        <translation>Ten program obsługuje wyłącznie sterowniki </translation>
    </message>
    <message>
        <source> controllers only!</source>
        <translation>!</translation>
    </message>
    <message>
        <source>Reading configuration...</source>
        <translation>Odczyt konfiguracji...</translation>
    </message>
    <message>
        <source>Configuration reading
successful!</source>
        <translation>Odczyt konfiguracji
zakończony pomyślnie!</translation>
    </message>
    <message>
        <source>Data read from file,
but its descriptions are incomplete!</source>
        <translation>Dane odczytano z pliku,
ale opisy są niekompletne!</translation>
    </message>
    <message>
        <source>Firmware written, but the controller
did not answer afterwards!</source>
        <translation>Oprogramowanie zapisano, ale sterownik
potem nie odpowiedział!</translation>
    </message>
</context>
<context>
    <name>kvVGraph_class</name>
    <message>
        <source>KvOrbit310+ visualisation: design mode</source>
        <translation>Wizualizacja KvOrbit310+: tryb projektowania</translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: all fixtures on (offline)</source>
        <translation>Wizualizacja KvOrbit310+: wszystkie oprawy włączone (offline)</translation>
    </message>
    <message>
        <source>Light presentation</source>
        <translation>Prezentacja</translation>
    </message>
    <message>
        <source>All fixt. on</source>
        <translation>Wszystkie oprawy wł.</translation>
    </message>
    <message>
        <source>Show channels offline</source>
        <translation>Pokaż kanały offline</translation>
    </message>
    <message>
        <source>Show channels live</source>
        <translation>Pokaż kanały na żywo</translation>
    </message>
    <message>
        <source>Live design</source>
        <translation>Projektowanie na żywo</translation>
    </message>
    <message>
        <source>Active scenes (compound)</source>
        <translation>Sceny aktywne (złożone)</translation>
    </message>
    <message>
        <source>All fixt. off</source>
        <translation>Wszystkie oprawy wył.</translation>
    </message>
    <message>
        <source>Choose scene no. (1)</source>
        <translation>Wybierz scenę nr (1)</translation>
    </message>
    <message>
        <source>Group management</source>
        <translation>Zarządzanie grupami</translation>
    </message>
    <message>
        <source>Show details</source>
        <translation>Pokaż szczegóły</translation>
    </message>
    <message>
        <source>Edit fixture</source>
        <translation>Edytuj oprawę</translation>
    </message>
    <message>
        <source>Copy to clipboard</source>
        <translation>Kopiuj do schowka</translation>
    </message>
    <message>
        <source>Remove fixture</source>
        <translation>Usuń oprawę</translation>
    </message>
    <message>
        <source>Invert selection</source>
        <translation>Odwróć zaznaczenie</translation>
    </message>
    <message>
        <source>Select this only</source>
        <translation>Zaznacz tylko tę</translation>
    </message>
    <message>
        <source>Group membership</source>
        <translation>Przynależność do grup</translation>
    </message>
    <message>
        <source>Add fixture</source>
        <translation>Dodaj oprawę</translation>
    </message>
    <message>
        <source>Paste from clipboard</source>
        <translation>Wklej ze schowka</translation>
    </message>
    <message>
        <source>Lighten background</source>
        <translation>Rozjaśnij tło</translation>
    </message>
    <message>
        <source>Dimm background</source>
        <translation>Przyciemnij tło</translation>
    </message>
    <message>
        <source>Controller error</source>
        <translation>Błąd sterownika</translation>
    </message>
    <message>
        <source>Not connected!</source>
        <translation>Brak połączenia!</translation>
    </message>
    <message>
        <source>Scene %1</source>
        <translation>Scena %1</translation>
    </message>
    <message>
        <source>Program %1, step %2 (scene %3)</source>
        <translation>Program %1, krok %2 (scena %3)</translation>
    </message>
    <message>
        <source>Active compound scene (range %1, %2)</source>
        <translation>Aktywna scena złożona (zakres %1, %2)</translation>
    </message>
    <message>
        <source>in motion</source>
        <translation>w ruchu</translation>
    </message>
    <message>
        <source>static</source>
        <translation>statyczna</translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: all fixtures off (offline)</source>
        <translation>Wizualizacja KvOrbit310+: wszystkie oprawy wyłączone (offline)</translation>
    </message>
    <message>
        <source>Choose scene no. (%1)</source>
        <translation>Wybierz scenę nr (%1)</translation>
    </message>
    <message>
        <source>Choose scene no. (%1/%2)</source>
        <translation>Wybierz scenę nr (%1/%2)</translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: %1 offline</source>
        <translation>Wizualizacja KvOrbit310+: %1 offline</translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: %1 live design</source>
        <translation>Wizualizacja KvOrbit310+: %1, projektowanie na żywo</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Cannot start DMX monitor!</source>
        <translation>Nie można uruchomić monitora DMX!</translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: live show</source>
        <translation>Wizualizacja KvOrbit310+: pokaz na żywo</translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: %1 </source>
        <translation>Wizualizacja KvOrbit310+: %1 </translation>
    </message>
    <message>
        <source>KvOrbit310+ visualisation: %1</source>
        <translation>Wizualizacja KvOrbit310+: %1</translation>
    </message>
    <message>
        <source>Invalid image file &quot;%1&quot;!</source>
        <translation>Nieprawidłowy plik obrazu &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>zaznaczone</translation>
    </message>
    <message>
        <source>Light control by groups</source>
        <translation>Sterowanie grupami</translation>
    </message>
    <message>
        <source>Fixture No. %1</source>
        <translation>Oprawa nr %1</translation>
    </message>
    <message>
        <source>Position: %1 X %2</source>
        <translation>Pozycja: %1 X %2</translation>
    </message>
    <message>
        <source>Provider: %1</source>
        <translation>Producent: %1</translation>
    </message>
    <message>
        <source>undefined!</source>
        <translation>niezdefiniowany!</translation>
    </message>
    <message>
        <source>Model: %1</source>
        <translation>Model: %1</translation>
    </message>
    <message>
        <source>Variant: %1</source>
        <translation>Wariant: %1</translation>
    </message>
    <message>
        <source>en</source>
        <translation>pl</translation>
    </message>
    <message>
        <source>No description!</source>
        <translation>Brak opisu!</translation>
    </message>
    <message>
        <source>Label: &quot;%1&quot;</source>
        <translation>Etykieta: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>DMX channels from %1</source>
        <translation>Kanały DMX od %1</translation>
    </message>
    <message>
        <source> to %1</source>
        <translation> do %1</translation>
    </message>
    <message>
        <source>DMX channels: </source>
        <translation>Kanały DMX: </translation>
    </message>
    <message>
        <source>About this fixture...</source>
        <translation>O tej oprawie...</translation>
    </message>
    <message>
        <source>Invalid project!</source>
        <translation>Nieprawidłowy projekt!</translation>
    </message>
    <message>
        <source>There are invalid fixture descriptions!</source>
        <translation>Niektóre opisy opraw są nieprawidłowe!</translation>
    </message>
    <message>
        <source>I&apos;m sorry...</source>
        <translation>Przykro mi...</translation>
    </message>
    <message>
        <source>This feature will work in future :-(</source>
        <translation>Ta funkcja zadziała w przyszłości :-(</translation>
    </message>
    <message>
        <source>Do you really want to replace compound scene #%1
with compound scene #%2 ?</source>
        <translation>Czy na pewno zastąpić scenę złożoną nr %1
sceną złożoną nr %2?</translation>
    </message>
    <message>
        <source>Do you really want to replace scene #%1
with scene #%2 ?</source>
        <translation>Czy na pewno zastąpić scenę nr %1
sceną nr %2?</translation>
    </message>
    <message>
        <source>Attention!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Yes, I do!</source>
        <translation>Tak, na pewno!</translation>
    </message>
    <message>
        <source>Choose range (%1 %2)</source>
        <translation>Wybierz zakres (%1 %2)</translation>
    </message>
</context>
<context>
    <name>lightEffect</name>
    <message>
        <source>Fixture No. %1 </source>
        <translation>Oprawa nr %1 </translation>
    </message>
    <message>
        <source>: undefined!</source>
        <translation>: niezdefiniowana!</translation>
    </message>
</context>
<context>
    <name>modiFunc</name>
    <message>
        <source>Fixture channels setting</source>
        <translation>Ustawienie kanałów oprawy</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>Kanał 1</translation>
    </message>
</context>
<context>
    <name>monitorek</name>
    <message>
        <source>monitorek</source>
        <translation>monitorek</translation>
    </message>
    <message>
        <source>Stop monitoring</source>
        <translation>Zatrzymaj monitorowanie</translation>
    </message>
</context>
<context>
    <name>otherConfiguration</name>
    <message>
        <source>Choose a project description file for </source>
        <translation>Wybierz plik opisu projektu dla sterownika </translation>
    </message>
    <message>
        <source> controller</source>
        <translation> </translation>
    </message>
</context>
<context>
    <name>programCopy</name>
    <message>
        <source>Some problems</source>
        <translation>Wystąpiły problemy</translation>
    </message>
    <message>
        <source>Supress warnings</source>
        <translation>Pomiń ostrzeżenia</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Source program %1 is damaged!</source>
        <translation>Program źródłowy %1 jest uszkodzony!</translation>
    </message>
    <message>
        <source>Source program %1 does not exist!</source>
        <translation>Program źródłowy %1 nie istnieje!</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Pomiń</translation>
    </message>
    <message>
        <source>Destination program %1 does exist!</source>
        <translation>Program docelowy %1 już istnieje!</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Nadpisz</translation>
    </message>
    <message>
        <source>Unrealisable action!</source>
        <translation>Niewykonalna operacja!</translation>
    </message>
    <message>
        <source>Scene number limit exceeded!</source>
        <translation>Przekroczono limit numerów scen!</translation>
    </message>
    <message>
        <source>Program number limit exceeded!</source>
        <translation>Przekroczono limit numerów programów!</translation>
    </message>
    <message>
        <source>Useless action!</source>
        <translation>Bezcelowa operacja!</translation>
    </message>
    <message>
        <source>Choose another source!</source>
        <translation>Wybierz inne źródło!</translation>
    </message>
    <message>
        <source>You are warned!</source>
        <translation>Ostrzeżenie!</translation>
    </message>
    <message>
        <source>Ranges are overlapping!
Do you really want to copy?</source>
        <translation>Zakresy nakładają się!
Czy na pewno chcesz kopiować?</translation>
    </message>
    <message>
        <source>Yes, I do!</source>
        <translation>Tak, na pewno!</translation>
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
        <translation>Urządzenie nie jest podłączone!</translation>
    </message>
    <message>
        <source>Previously connected controller is no longer available!</source>
        <translation>Poprzednio podłączony sterownik jest już niedostępny!</translation>
    </message>
    <message>
        <source>
Retry or choose another device to connect.</source>
        <translation>
Ponów próbę lub wybierz inne urządzenie.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Ponów</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Zmień</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>regular_file</name>
    <message>
        <source>Invalid file!</source>
        <translation>Nieprawidłowy plik!</translation>
    </message>
    <message>
        <source>File too big!
%1
The limit is %2 MB.</source>
        <translation>Plik jest za duży!
%1
Dopuszczalny rozmiar to %2 MB.</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Uwaga!</translation>
    </message>
    <message>
        <source>Not a regular file:
%1</source>
        <translation>To nie jest zwykły plik:
%1</translation>
    </message>
</context>
<context>
    <name>right_panel_widget</name>
    <message>
        <source>Configuration</source>
        <translation>Konfiguracja</translation>
    </message>
    <message>
        <source>Send config to device</source>
        <translation>Wyślij do urządzenia</translation>
    </message>
    <message>
        <source>Read config from device</source>
        <translation>Odczytaj z urządzenia</translation>
    </message>
    <message>
        <source>Save config to file</source>
        <translation>Zapisz do pliku</translation>
    </message>
    <message>
        <source>Read config from file</source>
        <translation>Wczytaj z pliku</translation>
    </message>
    <message>
        <source>Clear config</source>
        <translation>Wyczyść konfigurację</translation>
    </message>
    <message>
        <source> </source>
        <comment>1</comment>
        <translation> Sterownik </translation>
    </message>
    <message>
        <source> controller</source>
        <translation> </translation>
    </message>
    <message>
        <source>  </source>
        <comment>2</comment>
        <translation>  </translation>
    </message>
    <message>
        <source> working mode: </source>
        <translation> – tryb pracy: </translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Na żywo</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normalny</translation>
    </message>
    <message>
        <source>S/N ----</source>
        <translation>S/N ----</translation>
    </message>
    <message>
        <source>F/W ver. ----</source>
        <translation>F/W wer. ----</translation>
    </message>
    <message>
        <source>Kv310+ project description (*31xcfg)</source>
        <translation>Opis projektu Kv310+ (*31xcfg)</translation>
    </message>
    <message>
        <source>KvOrbit 310 old-style config (*.cfg310)</source>
        <translation>Konfiguracja KvOrbit 310 w starym formacie (*.cfg310)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>Choose a project description file for </source>
        <translation>Wybierz plik opisu projektu dla sterownika </translation>
    </message>
    <message>
        <source>Connect with device</source>
        <translation>Połącz z urządzeniem</translation>
    </message>
    <message>
        <source>Disconnect device</source>
        <translation>Odłącz urządzenie</translation>
    </message>
    <message>
        <source>Restart device</source>
        <translation>Restart urządzenia</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Zamrożenie</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>Stan: </translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Rozłączony</translation>
    </message>
    <message>
        <source>Controller not frozen!</source>
        <translation>Sterownik nie jest zamrożony!</translation>
    </message>
    <message>
        <source>Controller still frozen!</source>
        <translation>Sterownik jest nadal zamrożony!</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Połączony</translation>
    </message>
    <message>
        <source>Not connected!</source>
        <comment>QMessageBox</comment>
        <translation>Brak połączenia!</translation>
    </message>
    <message>
        <source>Restart failed!</source>
        <translation>Restart nie powiódł się!</translation>
    </message>
    <message>
        <source>Configuration not sent!</source>
        <translation>Konfiguracja nie została wysłana!</translation>
    </message>
    <message>
        <source>Configuration not read!</source>
        <translation>Konfiguracja nie została odczytana!</translation>
    </message>
</context>
<context>
    <name>scNoDlg</name>
    <message>
        <source>Choose scene or step</source>
        <translation>Wybierz scenę lub krok</translation>
    </message>
    <message>
        <source>Choose scene number for visual design</source>
        <translation>Numer sceny do wizualizacji</translation>
    </message>
    <message>
        <source>or program/step number</source>
        <translation>lub numer programu/kroku</translation>
    </message>
    <message>
        <source>----</source>
        <translation>----</translation>
    </message>
    <message>
        <source>static scene</source>
        <translation>scena statyczna</translation>
    </message>
    <message>
        <source>Choose active scenes control range</source>
        <translation>Zakres sterowania scen aktywnych</translation>
    </message>
    <message>
        <source>Choose range and mode</source>
        <translation>Wybierz zakres i tryb</translation>
    </message>
</context>
<context>
    <name>setStateClass</name>
    <message>
        <source>Ignore</source>
        <translation>Pomijaj</translation>
    </message>
    <message>
        <source>When set</source>
        <translation>Ustawiony</translation>
    </message>
    <message>
        <source>When unset</source>
        <translation>Skasowany</translation>
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
    <name>stateTexts</name>
    <message>
        <source>none</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>no description...</source>
        <translation>brak opisu...</translation>
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
    <name>timerEventSet</name>
    <message>
        <source>Form</source>
        <translation>Formularz</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Rok</translation>
    </message>
    <message>
        <source>Any</source>
        <translation>Każdy</translation>
    </message>
    <message>
        <source>Day of week</source>
        <translation>Dzień tygodnia</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Godzina</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Dzień</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Miesiąc</translation>
    </message>
</context>
<context>
    <name>v_project</name>
    <message>
        <source>Incomplete fixture(s) found!</source>
        <translation>Znaleziono niekompletne oprawy!</translation>
    </message>
    <message>
        <source>All fixtures should be completely defined
before entering visualisaton mode!</source>
        <translation>Przed przejściem do trybu wizualizacji
wszystkie oprawy muszą być w pełni zdefiniowane!</translation>
    </message>
    <message>
        <source>Range boundary violation!</source>
        <translation>Przekroczenie granic zakresu!</translation>
    </message>
    <message>
        <source>Fixture %1 violates range of group %2!</source>
        <translation>Oprawa %1 wykracza poza zakres grupy %2!</translation>
    </message>
    <message>
        <source>Range_</source>
        <translation>Range_</translation>
    </message>
    <message>
        <source>Removing groups by ranges</source>
        <translation>Usuwanie grup według zakresów</translation>
    </message>
    <message>
        <source>Removed %1 groups generated by active scenes!</source>
        <translation>Usunięto grup wygenerowanych przez sceny aktywne: %1!</translation>
    </message>
    <message>
        <source>Incomplete data!</source>
        <translation>Niekompletne dane!</translation>
    </message>
    <message>
        <source>Check item &quot;%1&quot;!</source>
        <translation>Sprawdź element &quot;%1&quot;!</translation>
    </message>
    <message>
        <source>New fixture definitiions</source>
        <translation>Nowe definicje opraw</translation>
    </message>
    <message>
        <source>All definition of fixtures in project
will be replaced from external library!</source>
        <translation>Wszystkie definicje opraw w projekcie
zostaną zastąpione definicjami z biblioteki zewnętrznej!</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Przerwij</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Zastosuj</translation>
    </message>
    <message>
        <source>Undefined fixture model</source>
        <translation>Niezdefiniowany model oprawy</translation>
    </message>
    <message>
        <source>This library does not contain definition
for fixture %1!</source>
        <translation>Ta biblioteka nie zawiera definicji
oprawy %1!</translation>
    </message>
    <message>
        <source>New fixture definitions</source>
        <translation>Nowe definicje opraw</translation>
    </message>
    <message>
        <source>All definition succesfully replaced!</source>
        <translation>Wszystkie definicje zostały zastąpione!</translation>
    </message>
    <message>
        <source>%1 fixtures</source>
        <translation>%1 opraw</translation>
    </message>
    <message>
        <source>%1 groups</source>
        <translation>%1 grup</translation>
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
    <message>
        <source>Invalid file!</source>
        <translation>Nieprawidłowy plik!</translation>
    </message>
    <message>
        <source>File too big!
%1
The limit is %2.</source>
        <translation>Plik jest za duży!
%1
Dopuszczalne maksimum to %2.</translation>
    </message>
    <message>
        <source>%1 entries (tags and attributes)</source>
        <translation>%1 wpisów (znaczników i atrybutów)</translation>
    </message>
</context>
</TS>
