<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl_PL">
<context>
    <name>CanvasInteraction</name>
    <message>
        <source>[Male]</source>
        <translation>[Male]</translation>
    </message>
    <message>
        <source>[Female]</source>
        <translation>[Female]</translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>There was an error opening the file</source>
        <translation>There was an error opening the file</translation>
    </message>
    <message>
        <source>Incorrect file type. Lineara did not save the file.</source>
        <translation>Incorrect file type. Lineara did not save the file.</translation>
    </message>
    <message>
        <source>Error: Lineara did not recognize the file</source>
        <translation>Error: Lineara did not recognize the file</translation>
    </message>
    <message>
        <source>Eksport do pliku GEDCOM</source>
        <translation>Export to GEDCOM File</translation>
    </message>
    <message>
        <source>Import pliku GEDCOM</source>
        <translation>GEDCOM File Import</translation>
    </message>
    <message>
        <source>Plik importowany:</source>
        <translation>Imported file:</translation>
    </message>
    <message>
        <source>Osób odczytano:</source>
        <translation>Persons read:</translation>
    </message>
    <message>
        <source>Rodzin odczytano:</source>
        <translation>Families read:</translation>
    </message>
    <message>
        <source>Postęp importowania:</source>
        <translation>Import progress:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Importing file...</source>
        <translation>Importing file...</translation>
    </message>
    <message>
        <source>Please wait while arranging items...</source>
        <translation>Please wait while arranging items...</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Done.</translation>
    </message>
    <message>
        <source>GEDCOM import failed</source>
        <translation>GEDCOM import failed</translation>
    </message>
    <message>
        <source>The file is empty: nothing was imported.</source>
        <translation>The file is empty: nothing was imported.</translation>
    </message>
    <message>
        <source>The file does not begin with its header record (HEAD): it may be incomplete.</source>
        <translation>The file does not begin with its header record (HEAD): it may be incomplete.</translation>
    </message>
    <message>
        <source>The file ends before its end record (TRLR): it may be incomplete.</source>
        <translation>The file ends before its end record (TRLR): it may be incomplete.</translation>
    </message>
    <message>
        <source>nowa osoba</source>
        <translation>new person</translation>
    </message>
    <message>
        <source>połączenie z ojcem</source>
        <translation>link to father</translation>
    </message>
    <message>
        <source>połączenie z matką</source>
        <translation>link to mother</translation>
    </message>
    <message>
        <source>nowy związek</source>
        <translation>new relationship</translation>
    </message>
    <message>
        <source>usunięcie połączenia z ojcem</source>
        <translation>deleting the link to father</translation>
    </message>
    <message>
        <source>usunięcie połączenia z matką</source>
        <translation>deleting the link to mother</translation>
    </message>
    <message>
        <source>usunięcie związku</source>
        <translation>deleting a relationship</translation>
    </message>
    <message>
        <source>nowy alias</source>
        <translation>new alias</translation>
    </message>
    <message>
        <source>zamiana w alias</source>
        <translation>making an alias</translation>
    </message>
    <message>
        <source>nowa osoba domowa</source>
        <translation>new home person</translation>
    </message>
    <message>
        <source>edycja osoby</source>
        <translation>editing a person</translation>
    </message>
    <message>
        <source>konwersja dat</source>
        <translation>date conversion</translation>
    </message>
    <message>
        <source>zebranie plików</source>
        <translation>collecting files</translation>
    </message>
    <message>
        <source>import pliku GEDCOM</source>
        <translation>GEDCOM file import</translation>
    </message>
    <message>
        <source>import pliku w starszym formacie</source>
        <translation>import of an older file format</translation>
    </message>
    <message>
        <source>organizacja drzewa przodków</source>
        <translation>organizing the ancestor tree</translation>
    </message>
    <message>
        <source>automatyczne porządkowanie pozycji</source>
        <translation>auto-arranging items</translation>
    </message>
    <message>
        <source>utworzenie drzewa przodków</source>
        <translation>creating an ancestor tree</translation>
    </message>
    <message>
        <source>Nie ma co przestawic.</source>
        <translation>There is nothing to arrange.</translation>
    </message>
    <message>
        <source>Ta operacja kompletnie przestawi wszystkie Twoje pozycje. Możesz ją cofnąć (Ctrl+Z). Na pewno chcesz to zrobić?</source>
        <translation>This will completely rearrange all your items. You can undo it (Ctrl+Z). Are you sure you want to do this?</translation>
    </message>
    <message>
        <source>PSST</source>
        <translation>PSST</translation>
    </message>
    <message>
        <source>Minimum 2 generations!</source>
        <translation>Minimum 2 generations!</translation>
    </message>
    <message>
        <source>Maximum 7 generations per tree, please.</source>
        <translation>Maximum 7 generations per tree, please.</translation>
    </message>
    <message>
        <source>An ancestor tree is created only above a person without father and mother who is not an alias box.</source>
        <translation>An ancestor tree is created only above a person without father and mother who is not an alias box.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>The tree is very large. There might be circular references!</source>
        <translation>The tree is very large. There might be circular references!</translation>
    </message>
    <message>
        <source>Potwierdz</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Relationship could not be deleted on both sides because date or place did not match</source>
        <translation>Relationship could not be deleted on both sides because date or place did not match</translation>
    </message>
    <message>
        <source>Na pewno chcesz usunac ta osobe?</source>
        <translation>Are you sure you want to delete this person?</translation>
    </message>
    <message>
        <source>Do you really want to delete this and make the alias the original?</source>
        <translation>Do you really want to delete this and make the alias the original?</translation>
    </message>
    <message>
        <source>Do you really want to delete this alias?</source>
        <translation>Do you really want to delete this alias?</translation>
    </message>
    <message>
        <source>Do you really want to delete this item?</source>
        <translation>Do you really want to delete this item?</translation>
    </message>
    <message>
        <source>Relationship could not be updated on both sides because date or place did not match</source>
        <translation>Relationship could not be updated on both sides because date or place did not match</translation>
    </message>
    <message>
        <source>Failed to create new person item</source>
        <translation>Failed to create new person item</translation>
    </message>
    <message>
        <source>Error: Could not create marriage. This version only supports 8 marriages.</source>
        <translation>Error: Could not create marriage. This version only supports 8 marriages.</translation>
    </message>
    <message>
        <source>Nie ma pliku tekst.: </source>
        <translation>Text file not found: </translation>
    </message>
    <message>
        <source>Nie znaleziono fotki: </source>
        <translation>Picture not found: </translation>
    </message>
    <message>
        <source>przesunięcie</source>
        <translation>moving</translation>
    </message>
    <message>
        <source>wyrównanie</source>
        <translation>aligning</translation>
    </message>
    <message>
        <source>usunięcie</source>
        <translation>deleting</translation>
    </message>
    <message>
        <source>%1 1 osoby</source>
        <translation>%1 1 person</translation>
    </message>
    <message>
        <source>%1 %2 osób</source>
        <translation>%1 %2 persons</translation>
    </message>
    <message>
        <source>Notatka:    W drzewie istnieje juz osoba z nazwiskiem &quot;%1&quot;</source>
        <translation>Note:    There is already a person named &quot;%1&quot; in the tree</translation>
    </message>
    <message>
        <source>, born %1</source>
        <translation>, born %1</translation>
    </message>
    <message>
        <source>, died %1</source>
        <translation>, died %1</translation>
    </message>
</context>
<context>
    <name>DocumentCommands</name>
    <message>
        <source>Lineara files (*.ln3)</source>
        <translation>Lineara files (*.ln3)</translation>
    </message>
    <message>
        <source>Potwierdz</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Zapisac zmiany w Twoim drzewie?</source>
        <translation>Save the changes to your tree?</translation>
    </message>
    <message>
        <source>Performing Quality Check...</source>
        <translation>Performing Quality Check...</translation>
    </message>
    <message>
        <source>Quality Check Result: </source>
        <translation>Quality Check Result: </translation>
    </message>
    <message>
        <source> error(s)</source>
        <translation> error(s)</translation>
    </message>
    <message>
        <source> error(s). Would you like to see the details?</source>
        <translation> error(s). Would you like to see the details?</translation>
    </message>
    <message>
        <source> error(s). Chcesz zobaczyc szczegoly?</source>
        <translation> error(s). Do you want to see the details?</translation>
    </message>
    <message>
        <source>Otwórz</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Zapisz jako</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Collect all files</source>
        <translation>Collect all files</translation>
    </message>
    <message>
        <source>copy them</source>
        <translation>copy them</translation>
    </message>
    <message>
        <source>The tree could not be saved as %1:
%2

</source>
        <translation>The tree could not be saved as %1:
%2

</translation>
    </message>
    <message>
        <source>The %1 files copied to %2 were removed again.</source>
        <translation>The %1 files copied to %2 were removed again.</translation>
    </message>
    <message>
        <source>These copies could not be removed:
</source>
        <translation>These copies could not be removed:
</translation>
    </message>
    <message>
        <source>Collected </source>
        <translation>Collected </translation>
    </message>
    <message>
        <source> files to directory </source>
        <translation> files to directory </translation>
    </message>
    <message>
        <source>

These files could not be copied and keep their old names:
</source>
        <translation>

These files could not be copied and keep their old names:
</translation>
    </message>
    <message>
        <source>

These files are outside the tree&apos;s folder; they were not copied and keep their old names:
</source>
        <translation>

These files are outside the tree&apos;s folder; they were not copied and keep their old names:
</translation>
    </message>
    <message>
        <source>Files saved</source>
        <translation>Files saved</translation>
    </message>
</context>
<context>
    <name>HelpCommands</name>
    <message>
        <source>Lineara could not find your default internet browser.</source>
        <translation>Lineara could not find your default internet browser.</translation>
    </message>
    <message>
        <source>Cannot find the help file &quot;</source>
        <translation>Cannot find the help file &quot;</translation>
    </message>
</context>
<context>
    <name>ImportExportCommands</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>pack them</source>
        <translation>pack them</translation>
    </message>
    <message>
        <source>use them</source>
        <translation>use them</translation>
    </message>
    <message>
        <source>Otwórz</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Import from version 1.0</source>
        <translation>Import from version 1.0</translation>
    </message>
    <message>
        <source>Stirpex version 1.0 (*.ln)</source>
        <translation>Stirpex version 1.0 (*.ln)</translation>
    </message>
    <message>
        <source>Import from version 1.5.x</source>
        <translation>Import from version 1.5.x</translation>
    </message>
    <message>
        <source>Stirpex version 1.5.x (*.ln2)</source>
        <translation>Stirpex version 1.5.x (*.ln2)</translation>
    </message>
    <message>
        <source>Eksportuj obraz drzewa</source>
        <translation>Export Tree Picture</translation>
    </message>
    <message>
        <source>Obraz SVG (*.svg);;Dokument PDF (*.pdf);;Obraz PNG (*.png)</source>
        <translation>SVG picture (*.svg);;PDF document (*.pdf);;PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Obraz drzewa zapisuje się jako plik SVG, PDF lub PNG.</source>
        <translation>A tree picture is saved as an SVG, PDF or PNG file.</translation>
    </message>
    <message>
        <source>Czy zapisać tylko zaznaczone osoby?</source>
        <translation>Save only the selected persons?</translation>
    </message>
    <message>
        <source>Rysowanie obrazu drzewa...</source>
        <translation>Drawing the tree picture...</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Drzewo jest większe niż największa strona PDF (200 cali): zostało narysowane w skali %1 %.</source>
        <translation>The tree is larger than the largest PDF page (200 inches): it was drawn at %1 % of its size.</translation>
    </message>
    <message>
        <source>Drzewo jest puste: nie ma czego narysować.</source>
        <translation>The tree is empty: there is nothing to draw.</translation>
    </message>
    <message>
        <source>Obraz miałby %1 x %2 pikseli. Plik PNG może mieć najwyżej %3 pikseli w każdą stronę i %4 pikseli w sumie (1 GiB pamięci).</source>
        <translation>The picture would be %1 x %2 pixels. A PNG file can be at most %3 pixels on each side and %4 pixels in all (1 GiB of memory).</translation>
    </message>
    <message>
        <source>Zapisać go w skali %1 %?</source>
        <translation>Save it at a scale of %1 %?</translation>
    </message>
    <message>
        <source>Zapisz obraz jako SVG lub PDF.</source>
        <translation>Save the picture as SVG or PDF.</translation>
    </message>
    <message>
        <source>Skala obrazu PNG w procentach (od %1 do %2):</source>
        <translation>Scale of the PNG picture in percent (%1 to %2):</translation>
    </message>
    <message>
        <source>Skala musi być liczbą całkowitą od %1 do %2.</source>
        <translation>The scale must be a whole number from %1 to %2.</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>File is saved, but Lineara could not find your default text viewer.</source>
        <translation>File is saved, but Lineara could not find your default text viewer.</translation>
    </message>
    <message>
        <source>Zapisz alfabetycznie</source>
        <translation>Save Alphabetically</translation>
    </message>
    <message>
        <source>Zapisz alfabetycznie nazwiska</source>
        <translation>Save Surnames Alphabetically</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Eksportuj do pliku GEDCOM</source>
        <translation>&amp;Export to GEDCOM File...</translation>
    </message>
    <message>
        <source>&amp;Importuj plik GEDCOM</source>
        <translation>&amp;Import GEDCOM File...</translation>
    </message>
    <message>
        <source>&amp;Do aliasy</source>
        <translation>&amp;Go to Alias</translation>
    </message>
    <message>
        <source>&amp;Do oryginalu</source>
        <translation>&amp;Go to Original</translation>
    </message>
    <message>
        <source>&amp;Ojciec: </source>
        <translation>&amp;Father: </translation>
    </message>
    <message>
        <source>&amp;Ojciec</source>
        <translation>&amp;Father</translation>
    </message>
    <message>
        <source>&amp;Matka: </source>
        <translation>&amp;Mother: </translation>
    </message>
    <message>
        <source>&amp;Matka</source>
        <translation>&amp;Mother</translation>
    </message>
    <message>
        <source>Ory&amp;ginal</source>
        <translation>Ori&amp;ginal</translation>
    </message>
    <message>
        <source>&amp;Alias</source>
        <translation>&amp;Alias</translation>
    </message>
    <message>
        <source>&amp;Nowy mężczyzna</source>
        <translation>&amp;New Male</translation>
    </message>
    <message>
        <source>Nowa ko&amp;bieta</source>
        <translation>New F&amp;emale</translation>
    </message>
    <message>
        <source>Edytuj &amp;właściwości</source>
        <translation>Edit &amp;Properties</translation>
    </message>
    <message>
        <source>&amp;Usuń</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Łącz z &amp;ojcem</source>
        <translation>Link to &amp;Father</translation>
    </message>
    <message>
        <source>Łącz z &amp;matką</source>
        <translation>Link to &amp;Mother</translation>
    </message>
    <message>
        <source>Łącz z &amp;krewnym</source>
        <translation>Link to &amp;Relative</translation>
    </message>
    <message>
        <source>Usuń łącz&amp;e</source>
        <translation>Delete &amp;Link</translation>
    </message>
    <message>
        <source>z &amp;ojcem	Ctrl+F</source>
        <translation>to &amp;Father	Ctrl+F</translation>
    </message>
    <message>
        <source>z &amp;matką</source>
        <translation>to &amp;Mother</translation>
    </message>
    <message>
        <source>z &amp;krewnym</source>
        <translation>to &amp;Relative</translation>
    </message>
    <message>
        <source>&amp;Idź do </source>
        <translation>&amp;Go To </translation>
    </message>
    <message>
        <source>&amp;Ojca</source>
        <translation>&amp;Father</translation>
    </message>
    <message>
        <source>&amp;Matki</source>
        <translation>&amp;Mother</translation>
    </message>
    <message>
        <source>Osoby &amp;początkowej</source>
        <translation>&amp;Home Person</translation>
    </message>
    <message>
        <source>Listy &amp;krewnych</source>
        <translation>&amp;Relatives List</translation>
    </message>
    <message>
        <source>Listy &amp;rodzeństwa</source>
        <translation>&amp;Siblings List</translation>
    </message>
    <message>
        <source>Listy &amp;dzieci</source>
        <translation>&amp;Children List</translation>
    </message>
    <message>
        <source>&amp;Powiększenie</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>&amp;Powiększ wybraną osobę</source>
        <translation>Zoom to &amp;Selected Person</translation>
    </message>
    <message>
        <source>Pow&amp;iększ</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>P&amp;omniejsz</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>Powiększ obsz&amp;ar</source>
        <translation>Zoom &amp;Area</translation>
    </message>
    <message>
        <source>Wyrównaj</source>
        <translation>Align</translation>
    </message>
    <message>
        <source>Do &amp;góry</source>
        <translation>&amp;Top</translation>
    </message>
    <message>
        <source>&amp;Do dołu</source>
        <translation>&amp;Bottom</translation>
    </message>
    <message>
        <source>Do &amp;lewej</source>
        <translation>&amp;Left</translation>
    </message>
    <message>
        <source>Do &amp;prawej</source>
        <translation>&amp;Right</translation>
    </message>
    <message>
        <source>Przesuń w górę</source>
        <translation>Scroll Up</translation>
    </message>
    <message>
        <source>Przesuń w dół</source>
        <translation>Scroll Down</translation>
    </message>
    <message>
        <source>Przesuń w lewo</source>
        <translation>Scroll Left</translation>
    </message>
    <message>
        <source>Przesuń w prawo</source>
        <translation>Scroll Right</translation>
    </message>
    <message>
        <source>Stwórz &amp;alias</source>
        <translation>Make &amp;Alias</translation>
    </message>
    <message>
        <source>Wybierz &amp;to jako alias</source>
        <translation>Make &amp;This an Alias</translation>
    </message>
    <message>
        <source>Wybierz to jako osobę po&amp;czątkową</source>
        <translation>Make This the Home Per&amp;son</translation>
    </message>
    <message>
        <source>&amp;Plik</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Edytuj</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Szukaj</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>&amp;Link</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Reports</source>
        <translation>&amp;Reports</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Nowy</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Otwórz</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Zapisz j&amp;ako</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Zapisz wszystkie p&amp;liki</source>
        <translation>Save All &amp;Files...</translation>
    </message>
    <message>
        <source>Import version 1.&amp;0</source>
        <translation>Import Version 1.&amp;0...</translation>
    </message>
    <message>
        <source>Import version 1.&amp;5.x</source>
        <translation>Import Version 1.&amp;5.x...</translation>
    </message>
    <message>
        <source>&amp;Drukuj drzewo</source>
        <translation>&amp;Print Tree...</translation>
    </message>
    <message>
        <source>Drukuj ek&amp;ran</source>
        <translation>Print Sc&amp;reen...</translation>
    </message>
    <message>
        <source>&amp;Wyjście</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Cofnij</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Ponów</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Nowy &amp;mężczyzna</source>
        <translation>New &amp;Male</translation>
    </message>
    <message>
        <source>Nowa &amp;kobieta</source>
        <translation>New &amp;Female</translation>
    </message>
    <message>
        <source>Ustaw pozycję jako &amp;startową</source>
        <translation>Make &amp;Home Person</translation>
    </message>
    <message>
        <source>&amp;Właściwości</source>
        <translation>&amp;Properties</translation>
    </message>
    <message>
        <source>Wyrównaj do &amp;góry</source>
        <translation>Align &amp;Top</translation>
    </message>
    <message>
        <source>Wyrównaj do &amp;dołu</source>
        <translation>Align &amp;Bottom</translation>
    </message>
    <message>
        <source>Wyrównaj do &amp;lewej</source>
        <translation>Align &amp;Left</translation>
    </message>
    <message>
        <source>Wyrównaj do pr&amp;awej</source>
        <translation>Align R&amp;ight</translation>
    </message>
    <message>
        <source>&amp;Organizuj drzewo przodków</source>
        <translation>&amp;Organize Ancestor Tree</translation>
    </message>
    <message>
        <source>&amp;Compact</source>
        <translation>&amp;Compact</translation>
    </message>
    <message>
        <source>&amp;Fractal Style</source>
        <translation>&amp;Fractal Style</translation>
    </message>
    <message>
        <source>U&amp;twórz drzewo przodków</source>
        <translation>&amp;Create Ancestor Tree</translation>
    </message>
    <message>
        <source>&amp;Fractal style</source>
        <translation>&amp;Fractal style</translation>
    </message>
    <message>
        <source>&amp;Łącza</source>
        <translation>&amp;Links</translation>
    </message>
    <message>
        <source>Usuń łącze do...</source>
        <translation>Delete Link To...</translation>
    </message>
    <message>
        <source>Ojca	Ctrl+F</source>
        <translation>Father	Ctrl+F</translation>
    </message>
    <message>
        <source>Matki</source>
        <translation>Mother</translation>
    </message>
    <message>
        <source>Krewnego</source>
        <translation>Relative</translation>
    </message>
    <message>
        <source>Stwórz &amp;to jako alias</source>
        <translation>Make &amp;This an Alias</translation>
    </message>
    <message>
        <source>&amp;Idź do aliasu</source>
        <translation>&amp;Go to Alias</translation>
    </message>
    <message>
        <source>Kolory k&amp;odowania</source>
        <translation>&amp;Colour Codes</translation>
    </message>
    <message>
        <source>&amp;Płeć</source>
        <translation>&amp;Gender</translation>
    </message>
    <message>
        <source>N&amp;otatki</source>
        <translation>&amp;Notes</translation>
    </message>
    <message>
        <source>&amp;Zdjęcie</source>
        <translation>&amp;Picture</translation>
    </message>
    <message>
        <source>&amp;Nic</source>
        <translation>N&amp;one</translation>
    </message>
    <message>
        <source>&amp;Pasek narzędzi</source>
        <translation>&amp;Tool Bar</translation>
    </message>
    <message>
        <source>&amp;Nawigator</source>
        <translation>&amp;Navigator</translation>
    </message>
    <message>
        <source>Pasek st&amp;atusu</source>
        <translation>St&amp;atus Bar</translation>
    </message>
    <message>
        <source>Szukaj osoby</source>
        <translation>Find Person</translation>
    </message>
    <message>
        <source>Lista &amp;dzieci</source>
        <translation>Chil&amp;dren List</translation>
    </message>
    <message>
        <source>Lista &amp;rodzeństwa</source>
        <translation>&amp;Siblings List</translation>
    </message>
    <message>
        <source>Lista &amp;krewnych</source>
        <translation>&amp;Relatives List</translation>
    </message>
    <message>
        <source>&amp;Całe drzewo</source>
        <translation>&amp;Whole Tree</translation>
    </message>
    <message>
        <source>Powiększ do obsz&amp;aru</source>
        <translation>Zoom to &amp;Area</translation>
    </message>
    <message>
        <source>&amp;Opcje</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>&amp;Czcionka ekranu...</source>
        <translation>Screen &amp;Font...</translation>
    </message>
    <message>
        <source>&amp;Automatyczne porządkowanie pozycji</source>
        <translation>&amp;Auto Arrange Items</translation>
    </message>
    <message>
        <source>&amp;Sprawdź jakość</source>
        <translation>&amp;Quality Check</translation>
    </message>
    <message>
        <source>Konwertuj &amp;daty</source>
        <translation>Convert &amp;Dates</translation>
    </message>
    <message>
        <source>Generuj strony &amp;HTML</source>
        <translation>Generate &amp;HTML Pages...</translation>
    </message>
    <message>
        <source>&amp;Alfabetyczna lista</source>
        <translation>&amp;Alphabetical List</translation>
    </message>
    <message>
        <source>&amp;Wszystkie osoby</source>
        <translation>&amp;All Persons...</translation>
    </message>
    <message>
        <source>&amp;Nazwiska</source>
        <translation>&amp;Surnames...</translation>
    </message>
    <message>
        <source>&amp;Kontestowa</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>&amp;Wyszukiwanie</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>Strona &amp;domowa</source>
        <translation>&amp;Home Page</translation>
    </message>
    <message>
        <source>&amp;Pomoc techniczna</source>
        <translation>&amp;Technical Support</translation>
    </message>
    <message>
        <source>&amp;Napisz do nas</source>
        <translation>&amp;Feedback</translation>
    </message>
    <message>
        <source>&amp;O programie</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Do &amp;dołu</source>
        <translation>&amp;Bottom</translation>
    </message>
    <message>
        <source>Zoom to &amp;Area</source>
        <translation>Zoom to &amp;Area</translation>
    </message>
    <message>
        <source>Eksportuj o&amp;braz drzewa...</source>
        <translation>Export &amp;Tree Picture...</translation>
    </message>
</context>
<context>
    <name>OutsideFiles</name>
    <message>
        <source>The tree names %1 file(s) outside its folder %2:
</source>
        <translation>The tree names %1 file(s) outside its folder %2:
</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... and %1 more</translation>
    </message>
    <message>
        <source>

Should Lineara %1 too? Yes: %1. No: leave them out.</source>
        <translation>

Should Lineara %1 too? Yes: %1. No: leave them out.</translation>
    </message>
</context>
<context>
    <name>RecoveryOffer</name>
    <message>
        <source>untitled</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Plik odzyskiwania %1 jest uszkodzony (%2).
</source>
        <translation>The recovery file %1 is damaged (%2).
</translation>
    </message>
    <message>
        <source>Odłożono go obok, z dopiskiem &quot;.damaged&quot;.</source>
        <translation>It was set aside next to it, with &quot;.damaged&quot; added to its name.</translation>
    </message>
    <message>
        <source>Nie udało się go odłożyć: %1</source>
        <translation>It could not be set aside: %1</translation>
    </message>
    <message>
        <source>Lineara nie zakończyła poprzedniej pracy poprawnie. Przywrócić niezapisane zmiany drzewa %1 z %2?</source>
        <translation>Lineara did not close properly last time. Restore the unsaved changes to the tree %1 from %2?</translation>
    </message>
    <message>
        <source>

Plik drzewa został od tego czasu usunięty.</source>
        <translation>

The tree file has been deleted since then.</translation>
    </message>
    <message>
        <source>

Plik drzewa został od tego czasu zmieniony na dysku; zapis przywróconego drzewa zastąpi te zmiany.</source>
        <translation>

The tree file has been changed on disk since then; saving the restored tree will replace those changes.</translation>
    </message>
    <message>
        <source>Przywróć</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Odrzuć</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Później</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>ReportCommands</name>
    <message>
        <source>Twoje drzewo jest puste.</source>
        <translation>Your tree is empty.</translation>
    </message>
</context>
<context>
    <name>lineara::AboutBox</name>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>lineara::BackgroundDialog</name>
    <message>
        <source>Tło</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Wybierz kolor</source>
        <translation>Choose Colour</translation>
    </message>
    <message>
        <source>Otwórz tło</source>
        <translation>Open Background</translation>
    </message>
    <message>
        <source>Nie używaj tła</source>
        <translation>No Background</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>lineara::CheckWindow</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Pomoc</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Plik: (Nowy)</source>
        <translation>File: (New)</translation>
    </message>
    <message>
        <source>Plik: </source>
        <translation>File: </translation>
    </message>
    <message>
        <source>Osoby</source>
        <translation>Persons</translation>
    </message>
</context>
<context>
    <name>lineara::CreateTreeDialog</name>
    <message>
        <source>Utwórz drzewo</source>
        <translation>Create Tree</translation>
    </message>
    <message>
        <source>Liczba pokoleń:</source>
        <translation>Number of generations:</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>lineara::DateConvertWindow</name>
    <message>
        <source>Konwersja daty</source>
        <translation>Date Conversion</translation>
    </message>
    <message>
        <source>Akcja</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>&amp;Edytuj pozycję</source>
        <translation>&amp;Edit Item</translation>
    </message>
    <message>
        <source>Checking and converting, please wait...</source>
        <translation>Checking and converting, please wait...</translation>
    </message>
    <message>
        <source>Konwersja zakoczona:</source>
        <translation>Conversion finished: </translation>
    </message>
    <message>
        <source> date(y) przekonwertowano</source>
        <translation> date(s) converted</translation>
    </message>
    <message>
        <source>Chcesz przekonwertowac wszystkie daty na standardowy format GEDCOM?</source>
        <translation>Do you want to convert all dates to the standard GEDCOM format?</translation>
    </message>
</context>
<context>
    <name>lineara::DeleteRelationshipDialog</name>
    <message>
        <source>Usuń łącze</source>
        <translation>Delete Link</translation>
    </message>
    <message>
        <source>Usuń łącze do małżonka:</source>
        <translation>Delete the link to the spouse:</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>lineara::GoToDialog</name>
    <message>
        <source>Idź do osoby</source>
        <translation>Go to Person</translation>
    </message>
    <message>
        <source>&amp;Idź</source>
        <translation>&amp;Go</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>lineara::HtmlReportWindow</name>
    <message>
        <source>Kliknij, aby wybrać kolor lub obraz tła strony</source>
        <translation>Click to choose the colour or picture of the page background</translation>
    </message>
    <message>
        <source>Normalny tekst</source>
        <translation>Normal text</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Odwiedzony link</source>
        <translation>Visited link</translation>
    </message>
    <message>
        <source>Aktywny link</source>
        <translation>Active link</translation>
    </message>
    <message>
        <source>Kliknij, aby wybrać kolor tekstu</source>
        <translation>Click to choose the text colour</translation>
    </message>
    <message>
        <source>Kliknij, aby wybrać kolor linków</source>
        <translation>Click to choose the link colour</translation>
    </message>
    <message>
        <source>Kliknij, aby wybrać kolor odwiedzonych linków</source>
        <translation>Click to choose the colour of visited links</translation>
    </message>
    <message>
        <source>Kliknij, aby wybrać kolor aktywnych linków</source>
        <translation>Click to choose the colour of active links</translation>
    </message>
    <message>
        <source>Kliknij, aby wybrać kolor nagłówka</source>
        <translation>Click to choose the header colour</translation>
    </message>
    <message>
        <source>Kliknij, aby zobaczyć ramkę w innym kolorze</source>
        <translation>Click to see the frame in another colour</translation>
    </message>
    <message>
        <source>Kliknij, aby wybrać kolor lub obraz nagłówka</source>
        <translation>Click to choose the colour or picture of the header</translation>
    </message>
    <message>
        <source>Kliknij, aby wybrać kolor lub obraz tła linków</source>
        <translation>Click to choose the colour or picture of the links background</translation>
    </message>
    <message>
        <source>Kolor okienka</source>
        <translation>Box Colour</translation>
    </message>
    <message>
        <source>Kolor ramki</source>
        <translation>Frame Colour</translation>
    </message>
    <message>
        <source>Czcionka</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Elementy:</source>
        <translation>Items:</translation>
    </message>
    <message>
        <source>Otwórz tło</source>
        <translation>Open Background</translation>
    </message>
    <message>
        <source>Four lines of %1 pixels do not fit in the boxes of 140 x 50 pixels; their text is drawn %2 pixels high instead.</source>
        <translation>Four lines of %1 pixels do not fit in the boxes of 140 x 50 pixels; their text is drawn %2 pixels high instead.</translation>
    </message>
    <message>
        <source>publish them in the pages</source>
        <translation>publish them in the pages</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>These files were left out of the pages (names are looked for in %1):

</source>
        <translation>These files were left out of the pages (names are looked for in %1):

</translation>
    </message>
    <message>
        <source>Performing Quality Check...</source>
        <translation>Performing Quality Check...</translation>
    </message>
    <message>
        <source>Quality Check Result: %1 error(s)</source>
        <translation>Quality Check Result: %1 error(s)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Quality check failed. Press OK to see the details</source>
        <translation>Quality check failed. Press OK to see the details</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>No files created</source>
        <translation>No files created</translation>
    </message>
    <message>
        <source>The genealogy tree is empty</source>
        <translation>The genealogy tree is empty</translation>
    </message>
    <message>
        <source>Stopped: %1 files written.</source>
        <translation>Stopped: %1 files written.</translation>
    </message>
    <message>
        <source>Stwórz prezentację HTML</source>
        <translation>Create HTML Presentation</translation>
    </message>
    <message>
        <source>Generuj HTML</source>
        <translation>Generate HTML</translation>
    </message>
    <message>
        <source>Zawartość</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>Wygląd projektu</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>&amp;Nowy folder</source>
        <translation>&amp;New Folder</translation>
    </message>
    <message>
        <source>&amp;Sprawdź jakość</source>
        <translation>&amp;Quality Check</translation>
    </message>
    <message>
        <source>&amp;Generuj!</source>
        <translation>&amp;Generate!</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Dysk:</source>
        <translation>Drive:</translation>
    </message>
    <message>
        <source>Lokalizacja:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>Użyj ramek</source>
        <translation>Use frames</translation>
    </message>
    <message>
        <source>Pokaż rodzeństwo</source>
        <translation>Show siblings</translation>
    </message>
    <message>
        <source>Kodowanie:</source>
        <translation>Encoding:</translation>
    </message>
    <message>
        <source>W przyblizeniu </source>
        <translation>Approximately </translation>
    </message>
    <message>
        <source>New folder</source>
        <translation>New folder</translation>
    </message>
    <message>
        <source>Enter the name of the new folder</source>
        <translation>Enter the name of the new folder</translation>
    </message>
    <message>
        <source>Could not create the folder &quot;%1&quot; in %2.</source>
        <translation>Could not create the folder &quot;%1&quot; in %2.</translation>
    </message>
    <message>
        <source>Internet images (*.jpg *.jpeg *.gif);;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;GIF Image File (*.gif)</source>
        <translation>Internet images (*.jpg *.jpeg *.gif);;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;GIF Image File (*.gif)</translation>
    </message>
    <message>
        <source>An error occured while exporting to HTML. Please check that you have enough disk space available and try again.</source>
        <translation>An error occurred while exporting to HTML. Please check that you have enough disk space available and try again.</translation>
    </message>
    <message>
        <source>It is highly recommended that you set the amount of colors on your screen to 16 bit or higher prior to exporting to HTML. This will give the best results when using pictures.</source>
        <translation>It is highly recommended that you set the amount of colors on your screen to 16 bit or higher prior to exporting to HTML. This will give the best results when using pictures.</translation>
    </message>
</context>
<context>
    <name>lineara::MainWindow</name>
    <message>
        <source>Proszę czekać...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Welcome to Stirpex</source>
        <translation>Welcome to Stirpex</translation>
    </message>
    <message>
        <source>Pasek narzędzi</source>
        <translation>Tool Bar</translation>
    </message>
    <message>
        <source>Key = </source>
        <translation>Key = </translation>
    </message>
    <message>
        <source>Cofnij: </source>
        <translation>Undo: </translation>
    </message>
    <message>
        <source>Ponów: </source>
        <translation>Redo: </translation>
    </message>
</context>
<context>
    <name>lineara::NavigatorWindow</name>
    <message>
        <source>Nawigator</source>
        <translation>Navigator</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Toggle info on/off</source>
        <translation>Toggle info on/off</translation>
    </message>
    <message>
        <source>Zoom: 100%</source>
        <translation>Zoom: 100%</translation>
    </message>
    <message>
        <source>Pozycji: 0</source>
        <translation>Items: 0</translation>
    </message>
    <message>
        <source>Osób: 0</source>
        <translation>Persons: 0</translation>
    </message>
    <message>
        <source>Items: </source>
        <translation>Items: </translation>
    </message>
    <message>
        <source>Persons: </source>
        <translation>Persons: </translation>
    </message>
    <message>
        <source>Zoom: </source>
        <translation>Zoom: </translation>
    </message>
</context>
<context>
    <name>lineara::OptionsDialog</name>
    <message>
        <source>Opcje</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Czcionki</source>
        <translation>Fonts</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Zmień</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Kodowanie</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <source>Formatuj daty według standardu GEDCOM</source>
        <translation>Format dates to the GEDCOM standard</translation>
    </message>
    <message>
        <source>Pokazuj opisy pozycji</source>
        <translation>Show item hints</translation>
    </message>
    <message>
        <source>Automatyczne sprawdzenie przy otwarciu</source>
        <translation>Automatic check on opening</translation>
    </message>
    <message>
        <source>Automatyczne sprawdzenie przy zapisywaniu</source>
        <translation>Automatic check on saving</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>nigdy</source>
        <translation>never</translation>
    </message>
    <message>
        <source>Zapisuj kopię do odzyskania po awarii co</source>
        <translation>Save a copy for recovery after a crash every</translation>
    </message>
</context>
<context>
    <name>lineara::PersonEditor</name>
    <message>
        <source>Osoba</source>
        <translation>Person</translation>
    </message>
    <message>
        <source>Informacje podstawowe</source>
        <translation>Basic Information</translation>
    </message>
    <message>
        <source>Małżonek</source>
        <translation>Spouse</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Imię</source>
        <translation>Given names</translation>
    </message>
    <message>
        <source>Nazwisko</source>
        <translation>Surname</translation>
    </message>
    <message>
        <source>Płeć</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>Mężczyzna</source>
        <translation>Male</translation>
    </message>
    <message>
        <source>Kobieta</source>
        <translation>Female</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Miejsce</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Urodzenia</source>
        <translation>Birth</translation>
    </message>
    <message>
        <source>Śmierci</source>
        <translation>Death</translation>
    </message>
    <message>
        <source>Zamieszkały</source>
        <translation>Occupation</translation>
    </message>
    <message>
        <source>Źródło</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Zdjęcie</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Otwórz &amp;zdjącie</source>
        <translation>Open &amp;Picture</translation>
    </message>
    <message>
        <source>W&amp;yczyść</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>Komentarz do zdjęcia:</source>
        <translation>Picture comment:</translation>
    </message>
    <message>
        <source>&amp;Nowy</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Create a new text file</source>
        <translation>Create a new text file</translation>
    </message>
    <message>
        <source>&amp;Otwórz</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Open a text file</source>
        <translation>Open a text file</translation>
    </message>
    <message>
        <source>&amp;Wyczyść</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>Do not use text file</source>
        <translation>Do not use text file</translation>
    </message>
    <message>
        <source>Notatki:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>Nie ustalono pokrewieństw dla tej pozycji.</source>
        <translation>No relationships have been set for this item.</translation>
    </message>
    <message>
        <source>Krewni</source>
        <translation>Relatives</translation>
    </message>
    <message>
        <source>Gdzie</source>
        <translation>Where</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Małżeństwo</source>
        <translation>Marriage</translation>
    </message>
    <message>
        <source>Spółka</source>
        <translation>Partnership</translation>
    </message>
    <message>
        <source>Rozwód</source>
        <translation>Divorce</translation>
    </message>
    <message>
        <source>Przyjaciel</source>
        <translation>Friend</translation>
    </message>
    <message>
        <source>Stan wolny</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Inny</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Nieznany</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Osoba:</source>
        <translation>Person:</translation>
    </message>
    <message>
        <source>Typ pokrewieństwa:</source>
        <translation>Relationship type:</translation>
    </message>
    <message>
        <source>Data:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Miejsce:</source>
        <translation>Place:</translation>
    </message>
    <message>
        <source>Text file not found: </source>
        <translation>Text file not found: </translation>
    </message>
    <message>
        <source>Create new text file</source>
        <translation>Create new text file</translation>
    </message>
    <message>
        <source>Open existing text file</source>
        <translation>Open existing text file</translation>
    </message>
    <message>
        <source>Picture not found</source>
        <translation>Picture not found</translation>
    </message>
    <message>
        <source>Zdjecie</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Open picture</source>
        <translation>Open picture</translation>
    </message>
    <message>
        <source>Pictures (*.jpg *.jpeg *.gif *.png);;All files (*.*)</source>
        <translation>Pictures (*.jpg *.jpeg *.gif *.png);;All files (*.*)</translation>
    </message>
    <message>
        <source>The memo text file &quot;%1&quot; could not be saved. Please choose a new location.</source>
        <translation>The memo text file &quot;%1&quot; could not be saved. Please choose a new location.</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*)</source>
        <translation>Text files (*.txt);;All files (*.*)</translation>
    </message>
</context>
<context>
    <name>lineara::PersonSearchWindow</name>
    <message>
        <source>Szukaj osoby</source>
        <translation>Find Person</translation>
    </message>
    <message>
        <source>Wpisz tutaj wyszukiwane wyrażenie</source>
        <translation>Type what you are looking for here</translation>
    </message>
    <message>
        <source>Kliknij podwójnie, aby przejść do wybranej osoby</source>
        <translation>Double-click to go to the chosen person</translation>
    </message>
    <message>
        <source>&amp;Ośwież</source>
        <translation>&amp;Refresh</translation>
    </message>
    <message>
        <source>&amp;Edytuj osobę</source>
        <translation>&amp;Edit Person</translation>
    </message>
    <message>
        <source>&amp;Idź do osoby</source>
        <translation>&amp;Go to Person</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>lineara::PictureViewer</name>
    <message>
        <source>Zdjęcie</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>lineara::PresentationCreatedDialog</name>
    <message>
        <source>Presentation created</source>
        <translation>Presentation created</translation>
    </message>
    <message>
        <source>Zobacz &amp;efekt</source>
        <translation>&amp;View Result</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Zakończono tworzenie stron HTML</source>
        <translation>The HTML pages have been created</translation>
    </message>
    <message>
        <source>Stirpex could not find your default internet browser.</source>
        <translation>Stirpex could not find your default internet browser.</translation>
    </message>
</context>
<context>
    <name>lineara::PrintTreeWindow</name>
    <message>
        <source>Drukuj drzewo</source>
        <translation>Print Tree</translation>
    </message>
    <message>
        <source> Orientacja </source>
        <translation> Orientation </translation>
    </message>
    <message>
        <source>Pozioma</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Pionowa</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Czcionka:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source> Wielkość </source>
        <translation> Size </translation>
    </message>
    <message>
        <source>Drukuj tylko zaznaczone pozycje</source>
        <translation>Print selected items only</translation>
    </message>
    <message>
        <source>Click here for preview</source>
        <translation>Click here for preview</translation>
    </message>
    <message>
        <source>&amp;Ustawienia</source>
        <translation>&amp;Setup</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Obramowanie</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>1 strona</source>
        <translation>1 page</translation>
    </message>
    <message>
        <source>2 x 2 strony (4)</source>
        <translation>2 x 2 pages (4)</translation>
    </message>
    <message>
        <source>3 x 3 strony (9)</source>
        <translation>3 x 3 pages (9)</translation>
    </message>
    <message>
        <source>4 x 4 strony (16)</source>
        <translation>4 x 4 pages (16)</translation>
    </message>
    <message>
        <source>5 x 5 strony (25)</source>
        <translation>5 x 5 pages (25)</translation>
    </message>
    <message>
        <source>6 x 6 strony (36)</source>
        <translation>6 x 6 pages (36)</translation>
    </message>
    <message>
        <source>7 x 7 strony (49)</source>
        <translation>7 x 7 pages (49)</translation>
    </message>
    <message>
        <source>8 x 8 strony (64)</source>
        <translation>8 x 8 pages (64)</translation>
    </message>
</context>
<context>
    <name>lineara::QualityCheckWindow</name>
    <message>
        <source>Sprawdzanie poprawności</source>
        <translation>Quality Check</translation>
    </message>
    <message>
        <source>Wiadomosc</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Pop&amp;raw</source>
        <translation>&amp;Fix</translation>
    </message>
    <message>
        <source>&amp;Sprawdź</source>
        <translation>&amp;Check</translation>
    </message>
    <message>
        <source>Sprawdzanie, prosze czekac...</source>
        <translation>Checking, please wait...</translation>
    </message>
    <message>
        <source>Sprawdzanie zakonczono: </source>
        <translation>Check finished: </translation>
    </message>
    <message>
        <source> blad(y)</source>
        <translation> error(s)</translation>
    </message>
</context>
<context>
    <name>lineara::RecoveryKeeper</name>
    <message>
        <source>Not enough memory</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>Nie można zapisać kopii do odzyskania: </source>
        <translation>Cannot save the recovery copy: </translation>
    </message>
</context>
<context>
    <name>lineara::WelcomeScreen</name>
    <message>
        <source>Start Lineara</source>
        <translation>Start Lineara</translation>
    </message>
    <message>
        <source>version </source>
        <translation>version </translation>
    </message>
</context>
</TS>
