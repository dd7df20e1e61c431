<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>CheckedWarningBox</name>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>CommandSources</name>
    <message>
        <source>Ничего не выбрано</source>
        <translation>Nothing selected</translation>
    </message>
</context>
<context>
    <name>ContextMenuController</name>
    <message>
        <source>Открыть с помощью</source>
        <translation>Open with</translation>
    </message>
    <message>
        <source>Другое приложение...</source>
        <translation>Other application...</translation>
    </message>
    <message>
        <source>Программы|*</source>
        <translation>Programs|*</translation>
    </message>
    <message>
        <source>Вставка отменена: файлы на другом компьютере<byte value="xd"/>
</source>
        <translation>Paste cancelled: the files are on another computer<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Корзина</source>
        <translation>Trash</translation>
    </message>
    <message>
        <source>Очистить корзину? Все объекты в ней будут удалены навсегда.</source>
        <translation>Empty the trash? Every item in it will be deleted for good.</translation>
    </message>
</context>
<context>
    <name>ContextMenuItems</name>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Свойства</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Извлечь</source>
        <translation>Eject</translation>
    </message>
    <message>
        <source>Открыть с помощью</source>
        <translation>Open with</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Переименовать</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Восстановить</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Очистить корзину</source>
        <translation>Empty trash</translation>
    </message>
</context>
<context>
    <name>CopyMoveCommand</name>
    <message>
        <source> В Ы П О Л Н И Т Ь ?</source>
        <translation> Go ahead?</translation>
    </message>
    <message>
        <source>Имя объекта</source>
        <translation>Name</translation>
    </message>
    <message>
        <source> Копирование...</source>
        <translation> Copying...</translation>
    </message>
    <message>
        <source>Корировать : </source>
        <translation>Copy: </translation>
    </message>
    <message>
        <source> объект(ов)<byte value="xd"/>
</source>
        <translation> item(s)<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>В папку : </source>
        <translation>To folder: </translation>
    </message>
    <message>
        <source>Копировать с именем</source>
        <translation>Copy as</translation>
    </message>
    <message>
        <source>КОПИРОВАНИЕ / COPY !!!</source>
        <translation>COPY</translation>
    </message>
    <message>
        <source>Ошибка при выполнении копирования </source>
        <translation>Copying failed </translation>
    </message>
    <message>
        <source>Перемещение...</source>
        <translation>Moving...</translation>
    </message>
    <message>
        <source>Переместить : </source>
        <translation>Move: </translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
В папку : </source>
        <translation><byte value="xd"/>
<byte value="xd"/>
To folder: </translation>
    </message>
    <message>
        <source>Переместить с именем</source>
        <translation>Move as</translation>
    </message>
    <message>
        <source>ПЕРЕМЕЩЕНИЕ / MOVE !!!</source>
        <translation>MOVE</translation>
    </message>
    <message>
        <source>Операция не выполнена</source>
        <translation>The operation was not done</translation>
    </message>
    <message>
        <source>Архив открыт только для чтения: из него можно только копировать (F5).</source>
        <translation>An archive is read-only: it can only be copied from (F5).</translation>
    </message>
</context>
<context>
    <name>DeleteCommand</name>
    <message>
        <source>Удаление...</source>
        <translation>Deleting...</translation>
    </message>
    <message>
        <source>Удалить : </source>
        <translation>Delete: </translation>
    </message>
    <message>
        <source> объект(ов)<byte value="xd"/>
</source>
        <translation> item(s)<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
 В Ы П О Л Н И Т Ь ?</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
 Go ahead?</translation>
    </message>
    <message>
        <source>Удаление выделенных объектов...</source>
        <translation>Deleting the selected items...</translation>
    </message>
    <message>
        <source>Удалять в корзину.</source>
        <translation>Move to the trash.</translation>
    </message>
    <message>
        <source>Удаление отменено</source>
        <translation>Deletion cancelled</translation>
    </message>
    <message>
        <source>Ошибка при удалении</source>
        <translation>Deletion failed</translation>
    </message>
    <message>
        <source>Удалить «%1» навсегда?</source>
        <translation>Delete “%1” for good?</translation>
    </message>
    <message>
        <source>Удалить навсегда : </source>
        <translation>Delete for good: </translation>
    </message>
    <message>
        <source>Корзина</source>
        <translation>Trash</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Выберите программу</source>
        <translation>Choose a program</translation>
    </message>
</context>
<context>
    <name>DibDecoder</name>
    <message>
        <source>файл обрезан</source>
        <translation>the file is truncated</translation>
    </message>
    <message>
        <source>неизвестный заголовок растра</source>
        <translation>unknown bitmap header</translation>
    </message>
    <message>
        <source>сжатие OS/2 не поддерживается</source>
        <translation>OS/2 compression is not supported</translation>
    </message>
    <message>
        <source>растр без размеров</source>
        <translation>bitmap without a size</translation>
    </message>
    <message>
        <source>слишком большой размер (%1 × %2)</source>
        <translation>too large (%1 × %2)</translation>
    </message>
    <message>
        <source>неизвестная глубина цвета %1</source>
        <translation>unknown colour depth %1</translation>
    </message>
    <message>
        <source>неверное сжатие</source>
        <translation>bad compression</translation>
    </message>
    <message>
        <source>сжатие %1 не поддерживается</source>
        <translation>compression %1 is not supported</translation>
    </message>
    <message>
        <source>недостаточно памяти</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>нет подписи BM</source>
        <translation>no BM signature</translation>
    </message>
</context>
<context>
    <name>DocumentOpening</name>
    <message>
        <source>Открыть с помощью</source>
        <translation>Open with</translation>
    </message>
    <message>
        <source>Нет приложения, которым можно открыть файл «%1».</source>
        <translation>No application can open the file “%1”.</translation>
    </message>
    <message>
        <source>Файл «%1» не открылся: для его типа нет приложения, или оно не запускается.
Выберите приложение:</source>
        <translation>The file “%1” did not open: no application is set for its type, or it does not start.
Choose an application:</translation>
    </message>
    <message>
        <source>Не удалось открыть «%1» приложением «%2».</source>
        <translation>Could not open “%1” with “%2”.</translation>
    </message>
</context>
<context>
    <name>EditCommand</name>
    <message>
        <source>Не могу редактировать: </source>
        <translation>Cannot edit: </translation>
    </message>
    <message>
        <source>Создаем текстовый  файл</source>
        <translation>New text file</translation>
    </message>
    <message>
        <source>Введите имя файла</source>
        <translation>Enter the file name</translation>
    </message>
    <message>
        <source>Ошибка при запуске текстового редактора </source>
        <translation>The text editor did not start </translation>
    </message>
    <message>
        <source>Не могу выполнить: </source>
        <translation>Cannot run: </translation>
    </message>
</context>
<context>
    <name>FileOperationCalls</name>
    <message>
        <source>Источник и цель являются одним и тем же файлом.</source>
        <translation>The source and the target are the same file.</translation>
    </message>
    <message>
        <source>Исходный файл изменился во время копирования; он оставлен на месте.</source>
        <translation>The source file changed while it was copied; it was left in place.</translation>
    </message>
    <message>
        <source>Исходный файл изменился во время копирования; копия не сделана.</source>
        <translation>The source file changed while it was copied; no copy was made.</translation>
    </message>
</context>
<context>
    <name>FileOperationProgress</name>
    <message>
        <source>Перемещение...</source>
        <translation>Moving...</translation>
    </message>
    <message>
        <source>Копирование...</source>
        <translation>Copying...</translation>
    </message>
    <message>
        <source>Удаление...</source>
        <translation>Deleting...</translation>
    </message>
    <message>
        <source>Переименование...</source>
        <translation>Renaming...</translation>
    </message>
    <message>
        <source>Отмена операции...</source>
        <translation>Undoing...</translation>
    </message>
    <message>
        <source>В папку: </source>
        <translation>To folder: </translation>
    </message>
    <message>
        <source>Из папки: </source>
        <translation>From folder: </translation>
    </message>
    <message>
        <source>Новое имя: </source>
        <translation>New name: </translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Объект: </source>
        <translation>Item: </translation>
    </message>
    <message>
        <source>Скорость: </source>
        <translation>Speed: </translation>
    </message>
    <message>
        <source>Осталось: </source>
        <translation>Time left: </translation>
    </message>
    <message>
        <source>%1 из %2 байт</source>
        <translation>%1 of %2 bytes</translation>
    </message>
    <message>
        <source>%1 из %2 объектов</source>
        <translation>%1 of %2 items</translation>
    </message>
    <message>
        <source>Отмена...</source>
        <translation>Cancelling...</translation>
    </message>
</context>
<context>
    <name>FileSearch</name>
    <message>
        <source>Выбранной папки не существует.</source>
        <translation>The chosen folder does not exist.</translation>
    </message>
    <message>
        <source>Поиск успешен! Выбери то, что нужно.</source>
        <translation>Found. Choose what you need.</translation>
    </message>
    <message>
        <source>К сожалению, ничего не найдено...</source>
        <translation>Nothing was found.</translation>
    </message>
</context>
<context>
    <name>FileViewModel</name>
    <message>
        <source> Просмотр файла - </source>
        <translation> View file - </translation>
    </message>
    <message>
        <source> - Размер : </source>
        <translation> - Size: </translation>
    </message>
</context>
<context>
    <name>FolderListModel</name>
    <message>
        <source>отмечен</source>
        <translation>marked</translation>
    </message>
</context>
<context>
    <name>FolderNavigator</name>
    <message>
        <source>Выделено в  -  папках и в - файлах </source>
        <translation>Selected: - folders and - files </translation>
    </message>
    <message>
        <source>Обновление дерева </source>
        <translation>Updating the tree </translation>
    </message>
    <message>
        <source>Жду команду... </source>
        <translation>Ready. </translation>
    </message>
</context>
<context>
    <name>FolderNavigatorCommands</name>
    <message>
        <source>Жду команду...</source>
        <translation>Ready.</translation>
    </message>
    <message>
        <source>Смена носителя...</source>
        <translation>Media changed...</translation>
    </message>
    <message>
        <source>Есть новый диск</source>
        <translation>A new drive is here</translation>
    </message>
    <message>
        <source>Изъят диск.</source>
        <translation>A drive was removed.</translation>
    </message>
    <message>
        <source>Жду команды...!</source>
        <translation>Ready!</translation>
    </message>
</context>
<context>
    <name>GifDecoder</name>
    <message>
        <source>ошибка %1</source>
        <translation>error %1</translation>
    </message>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>нет ни одного кадра</source>
        <translation>no frames</translation>
    </message>
    <message>
        <source>нет палитры</source>
        <translation>no palette</translation>
    </message>
    <message>
        <source>кадр без размеров</source>
        <translation>a frame without a size</translation>
    </message>
    <message>
        <source>слишком большой размер (%1 × %2)</source>
        <translation>too large (%1 × %2)</translation>
    </message>
    <message>
        <source>недостаточно памяти</source>
        <translation>not enough memory</translation>
    </message>
</context>
<context>
    <name>GoneFolder</name>
    <message>
        <source>Папка %1 удалена или переименована, показана %2</source>
        <translation>The folder %1 was deleted or renamed; showing %2</translation>
    </message>
</context>
<context>
    <name>HelpFile</name>
    <message>
        <source>help/index.html</source>
        <translation>help/en/index.html</translation>
    </message>
    <message>
        <source>hquil.chm</source>
        <translation>hquil_en.chm</translation>
    </message>
</context>
<context>
    <name>IcoDecoder</name>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>файл обрезан</source>
        <translation>the file is truncated</translation>
    </message>
    <message>
        <source>нет заголовка значка</source>
        <translation>no icon header</translation>
    </message>
    <message>
        <source>в файле нет изображений</source>
        <translation>the file holds no images</translation>
    </message>
</context>
<context>
    <name>JpegDecoder</name>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>слишком большой размер (%1 × %2)</source>
        <translation>too large (%1 × %2)</translation>
    </message>
</context>
<context>
    <name>ListKeyMap</name>
    <message>
        <source>Жду команды...</source>
        <translation>Ready.</translation>
    </message>
    <message>
        <source> Переименование!!! </source>
        <translation> Renaming </translation>
    </message>
    <message>
        <source>Выделение файлов</source>
        <translation>Select files</translation>
    </message>
    <message>
        <source>Отмена выделения файлов</source>
        <translation>Unselect files</translation>
    </message>
    <message>
        <source>Введите маску выбора</source>
        <translation>Enter a mask to select</translation>
    </message>
    <message>
        <source>Введите маску отмены</source>
        <translation>Enter a mask to unselect</translation>
    </message>
</context>
<context>
    <name>ListShortcutKeys</name>
    <message>
        <source>Терминал не найден: нет программы x-terminal-emulator, и переменная TERMINAL не задана</source>
        <translation>No terminal found: there is no x-terminal-emulator program and TERMINAL is not set</translation>
    </message>
    <message>
        <source>Не могу запустить терминал: </source>
        <translation>Cannot start the terminal: </translation>
    </message>
</context>
<context>
    <name>MarkCommands</name>
    <message>
        <source>Выделено в </source>
        <translation>Selected: </translation>
    </message>
    <message>
        <source> папках и в </source>
        <translation> folders and </translation>
    </message>
    <message>
        <source> файлах: </source>
        <translation> files: </translation>
    </message>
</context>
<context>
    <name>MarksController</name>
    <message>
        <source>Вычисляю размер...</source>
        <translation>Counting the size...</translation>
    </message>
</context>
<context>
    <name>MountDialog</name>
    <message>
        <source>Подключение</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Анонимно</source>
        <translation>Anonymously</translation>
    </message>
    <message>
        <source>Как пользователь:</source>
        <translation>As user:</translation>
    </message>
    <message>
        <source>Пользователь:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>Домен:</source>
        <translation>Domain:</translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Запомнить пароль</source>
        <translation>Remember the password</translation>
    </message>
    <message>
        <source>Подключиться</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>NavigationText</name>
    <message>
        <source>Выбран: </source>
        <translation>Chosen: </translation>
    </message>
    <message>
        <source>не найдена - </source>
        <translation> not found - </translation>
    </message>
</context>
<context>
    <name>OperationState</name>
    <message>
        <source>Невозможно переместить &quot;%1&quot;: конечная папка является вложенной папкой исходной папки.</source>
        <translation>Cannot move &quot;%1&quot;: the target folder is inside the source folder.</translation>
    </message>
    <message>
        <source>Невозможно скопировать &quot;%1&quot;: конечная папка является вложенной папкой исходной папки.</source>
        <translation>Cannot copy &quot;%1&quot;: the target folder is inside the source folder.</translation>
    </message>
    <message>
        <source>Ошибка при перемещении</source>
        <translation>Move failed</translation>
    </message>
    <message>
        <source>Ошибка при копировании</source>
        <translation>Copy failed</translation>
    </message>
</context>
<context>
    <name>PictureError</name>
    <message>
        <source>Неверное изображение %1: %2</source>
        <translation>Bad %1 image: %2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>Файл слишком велик для просмотра: %1</source>
        <translation>The file is too large to view: %1</translation>
    </message>
    <message>
        <source>Неизвестный формат изображения: %1</source>
        <translation>Unknown picture format: %1</translation>
    </message>
    <message>
        <source>Неизвестный формат изображения</source>
        <translation>Unknown picture format</translation>
    </message>
</context>
<context>
    <name>PngDecoder</name>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>нет подписи PNG</source>
        <translation>no PNG signature</translation>
    </message>
    <message>
        <source>слишком большой размер (%1 × %2)</source>
        <translation>too large (%1 × %2)</translation>
    </message>
    <message>
        <source>недостаточно памяти</source>
        <translation>not enough memory</translation>
    </message>
</context>
<context>
    <name>PropertiesWindow</name>
    <message>
        <source> байт</source>
        <translation> bytes</translation>
    </message>
    <message>
        <source>Размер:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Свойства: </source>
        <translation>Properties: </translation>
    </message>
    <message>
        <source>Имя:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Тип:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Размещение:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>Изменён:</source>
        <translation>Modified:</translation>
    </message>
    <message>
        <source>Открыт:</source>
        <translation>Accessed:</translation>
    </message>
    <message>
        <source>Владелец:</source>
        <translation>Owner:</translation>
    </message>
    <message>
        <source>Группа:</source>
        <translation>Group:</translation>
    </message>
    <message>
        <source>, файлов: </source>
        <translation>, files: </translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Owner</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Остальные</source>
        <translation>Others</translation>
    </message>
    <message>
        <source>чтение</source>
        <translation>read</translation>
    </message>
    <message>
        <source>запись</source>
        <translation>write</translation>
    </message>
    <message>
        <source>выполнение</source>
        <translation>execute</translation>
    </message>
    <message>
        <source>Права:</source>
        <translation>Permissions:</translation>
    </message>
    <message>
        <source>Файловая система:</source>
        <translation>File system:</translation>
    </message>
    <message>
        <source>Устройство:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Ёмкость:</source>
        <translation>Capacity:</translation>
    </message>
    <message>
        <source>Занято:</source>
        <translation>Used:</translation>
    </message>
    <message>
        <source>Свободно:</source>
        <translation>Free:</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>Подтверждение замены</source>
        <translation>Confirm replace</translation>
    </message>
    <message>
        <source>Объект уже существует:
%1

Заменить его объектом
%2 ?</source>
        <translation>This item already exists:
%1

Replace it with
%2 ?</translation>
    </message>
    <message>
        <source>Заменить</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Заменить все</source>
        <translation>Replace all</translation>
    </message>
    <message>
        <source>Пропустить</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Не удалось обработать объект
%1

%2</source>
        <translation>Could not process the item
%1

%2</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Retry</translation>
    </message>
</context>
<context>
    <name>RenameCommand</name>
    <message>
        <source>Меняем имя : </source>
        <translation>Rename: </translation>
    </message>
    <message>
        <source> - на  -</source>
        <translation> - to - </translation>
    </message>
    <message>
        <source>Объект не выбран...</source>
        <translation>No item selected.</translation>
    </message>
    <message>
        <source> Переименование!!! </source>
        <translation> Renaming </translation>
    </message>
    <message>
        <source>Жду команды...</source>
        <translation>Ready.</translation>
    </message>
    <message>
        <source>Переименовать</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Введите новое имя</source>
        <translation>Enter the new name</translation>
    </message>
    <message>
        <source>Не выбрано исходной папки...</source>
        <translation>No folder chosen.</translation>
    </message>
    <message>
        <source>Создание папки.</source>
        <translation>Creating a folder.</translation>
    </message>
    <message>
        <source>Создать новую папку</source>
        <translation>New folder</translation>
    </message>
    <message>
        <source>Введите имя папки</source>
        <translation>Enter the folder name</translation>
    </message>
    <message>
        <source>Новая - </source>
        <translation>New - </translation>
    </message>
    <message>
        <source>Ошибка при создании папки: </source>
        <translation>Could not create the folder: </translation>
    </message>
</context>
<context>
    <name>SearchWindowController</name>
    <message>
        <source>Выбрана папка. К ней можно перейти.</source>
        <translation>This is a folder. You can go to it.</translation>
    </message>
    <message>
        <source> - это папка. К ней можно перейти.</source>
        <translation> is a folder. You can go to it.</translation>
    </message>
    <message>
        <source>Неизвестна программа для открытия, или другая ошибка.</source>
        <translation>No program is known to open it, or another error.</translation>
    </message>
</context>
<context>
    <name>ShellNamespace</name>
    <message>
        <source>Системная папка</source>
        <translation>System folder</translation>
    </message>
    <message>
        <source>Рабочий стол</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>Компьютер</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Корзина</source>
        <translation>Trash</translation>
    </message>
</context>
<context>
    <name>SortOrder</name>
    <message>
        <source>По имени</source>
        <translation>By name</translation>
    </message>
    <message>
        <source>По размеру</source>
        <translation>By size</translation>
    </message>
    <message>
        <source>По дате</source>
        <translation>By date</translation>
    </message>
    <message>
        <source>По типу</source>
        <translation>By type</translation>
    </message>
</context>
<context>
    <name>StartArgument</name>
    <message>
        <source>quil: открывается только первый путь, остальные пропущены
</source>
        <translation>quil: only the first path is opened, the others are skipped
</translation>
    </message>
    <message>
        <source>quil: нет такой папки или файла: </source>
        <translation>quil: no such folder or file: </translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>  О программе</source>
        <translation>  About</translation>
    </message>
    <message>
        <source>QUIL - менеджер файлов</source>
        <translation>QUIL - file manager</translation>
    </message>
    <message>
        <source>Простая программа для работы
с папками и файлами.
А ты знаешь, что у тебя на дисках?</source>
        <translation>A simple program for working
with folders and files.
Do you know what is on your disks?</translation>
    </message>
    <message>
        <source>Свободная программа (GNU GPL 3), без гарантий.</source>
        <translation>Free software (GNU GPL 3), without warranty.</translation>
    </message>
    <message>
        <source>Сайты программы:</source>
        <translation>Program sites:</translation>
    </message>
    <message>
        <source>GIF: giflib, авторы Eric S. Raymond и другие</source>
        <translation>GIF: giflib, by Eric S. Raymond and others</translation>
    </message>
    <message>
        <source>PNG: libpng и zlib (Jean-loup Gailly, Mark Adler)</source>
        <translation>PNG: libpng and zlib (Jean-loup Gailly, Mark Adler)</translation>
    </message>
    <message>
        <source>JPEG: libjpeg-turbo, по работе Independent JPEG Group</source>
        <translation>JPEG: libjpeg-turbo, from the Independent JPEG Group</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Сделали разработчики QUIL, пишите на сайт.</source>
        <translation>Made by the QUIL developers; write to the site.</translation>
    </message>
    <message>
        <source>Сделали разработчики QUIL.</source>
        <translation>Made by the QUIL developers.</translation>
    </message>
    <message>
        <source>Файл помощи hquil.chm не найден</source>
        <translation>The help file hquil_en.chm was not found</translation>
    </message>
    <message>
        <source>Нет программы, которая открыла бы помощь (hquil.chm или HTML)</source>
        <translation>No program can open the help (hquil_en.chm or HTML)</translation>
    </message>
</context>
<context>
    <name>TExtent</name>
    <message>
        <source>Жду команды. </source>
        <translation>Ready. </translation>
    </message>
    <message>
        <source>  Настройка расширений</source>
        <translation>  Extensions</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Вернуться</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Расширения</source>
        <translation>Extensions</translation>
    </message>
    <message>
        <source>Назначить расширение</source>
        <translation>Add an extension</translation>
    </message>
    <message>
        <source>Введите расширение</source>
        <translation>Enter the extension</translation>
    </message>
</context>
<context>
    <name>TFB</name>
    <message>
        <source> Для поиска</source>
        <translation> Search in</translation>
    </message>
    <message>
        <source>Диск</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>Выбери папку </source>
        <translation>Choose a folder </translation>
    </message>
    <message>
        <source>Папки</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TFILESCH</name>
    <message>
        <source>Поиск файлов</source>
        <translation>Find files</translation>
    </message>
    <message>
        <source>Искать ... </source>
        <translation>Search... </translation>
    </message>
    <message>
        <source>C подкаталогами </source>
        <translation>With subfolders </translation>
    </message>
    <message>
        <source>Выбрать папку  &gt;&gt;</source>
        <translation>Choose a folder  &gt;&gt;</translation>
    </message>
    <message>
        <source>Выбрать папку</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>В папке:</source>
        <translation>In folder:</translation>
    </message>
    <message>
        <source>В папке</source>
        <translation>In folder</translation>
    </message>
    <message>
        <source>По имени </source>
        <translation>By name </translation>
    </message>
    <message>
        <source>По имени</source>
        <translation>By name</translation>
    </message>
    <message>
        <source>С расширением</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>С текстом</source>
        <translation>With text</translation>
    </message>
    <message>
        <source>Текст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Старт</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Ищем в: </source>
        <translation>Searching: </translation>
    </message>
    <message>
        <source>папке из</source>
        <translation>folder of</translation>
    </message>
    <message>
        <source>Другой просмотр</source>
        <translation>Other viewer</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Найдено:</source>
        <translation>Found:</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Перейти</source>
        <translation>Go to</translation>
    </message>
    <message>
        <source>Смотреть</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Показать или скрыть просмотр</source>
        <translation>Show or hide the preview</translation>
    </message>
    <message>
        <source>Найдено</source>
        <translation>Found</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Дерево папок</source>
        <translation>Folder tree</translation>
    </message>
    <message>
        <source>Содержимое папки</source>
        <translation>Folder contents</translation>
    </message>
    <message>
        <source> Путь:</source>
        <translation> Path:</translation>
    </message>
    <message>
        <source>Путь:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>На </source>
        <translation>On </translation>
    </message>
    <message>
        <source>из</source>
        <translation>of</translation>
    </message>
    <message>
        <source>свободно</source>
        <translation>free</translation>
    </message>
    <message>
        <source>Жду команду...</source>
        <translation>Ready.</translation>
    </message>
    <message>
        <source>Помощь/Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Закончить / Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Обновить левую панель / Update left panel</source>
        <translation>Update the left panel</translation>
    </message>
    <message>
        <source>Отрыть 2-ю панель / Second panel</source>
        <translation>Second panel</translation>
    </message>
    <message>
        <source>C нижней панели наверх / To UP</source>
        <translation>Lower panel up</translation>
    </message>
    <message>
        <source>На нижнюю панель / To DOWN</source>
        <translation>To the lower panel</translation>
    </message>
    <message>
        <source>Обменять панели / Swup panel</source>
        <translation>Swap panels</translation>
    </message>
    <message>
        <source>Свернуть - Развернуть левую панель  /Close-Open left panel</source>
        <translation>Hide or show the left panel</translation>
    </message>
    <message>
        <source>Вверх на один уровень / Up level</source>
        <translation>Up one level</translation>
    </message>
    <message>
        <source>Выделено / Selected</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>Обновить список / Update List</source>
        <translation>Update the list</translation>
    </message>
    <message>
        <source>Выбрать файлы / Select files</source>
        <translation>Select files</translation>
    </message>
    <message>
        <source>Доп. панель открыить-Закрыть / New panel</source>
        <translation>Open or close the extra panel</translation>
    </message>
    <message>
        <source>Переименовать / Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Просмотреть / View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Редактировать / Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Копировать / Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Переместить / Move</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Создать / Create</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>Удалить / Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Настройки / Setup</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Настройка расширений / Run extensions</source>
        <translation>Extensions</translation>
    </message>
    <message>
        <source>Искать</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Выполнить: </source>
        <translation>Run: </translation>
    </message>
    <message>
        <source>Выполнить</source>
        <translation>Run</translation>
    </message>
</context>
<context>
    <name>TForm1Keys</name>
    <message>
        <source>Редактирование.</source>
        <translation>Editing.</translation>
    </message>
    <message>
        <source>Настройка.</source>
        <translation>Settings.</translation>
    </message>
</context>
<context>
    <name>TForm1Navigation</name>
    <message>
        <source>Жду команду...</source>
        <translation>Ready.</translation>
    </message>
    <message>
        <source>Настр. расширений. </source>
        <translation>Extensions. </translation>
    </message>
</context>
<context>
    <name>TForm1Shell</name>
    <message>
        <source>Жду команды...</source>
        <translation>Ready.</translation>
    </message>
</context>
<context>
    <name>TForm1View</name>
    <message>
        <source>Ничего не выбрано</source>
        <translation>Nothing selected</translation>
    </message>
    <message>
        <source> Просмотр...</source>
        <translation> Viewing...</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Выбери нужную папку</source>
        <translation>Choose the folder</translation>
    </message>
    <message>
        <source>Папка</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Диск</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>Вверх</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Создать (Create)</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>В виде:</source>
        <translation>View:</translation>
    </message>
    <message>
        <source>Значки</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>Табл.</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Список</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Папок:</source>
        <translation>Folders:</translation>
    </message>
    <message>
        <source>Файлов</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Содержимое папки</source>
        <translation>Folder contents</translation>
    </message>
    <message>
        <source>Сведения</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Создание новой папки</source>
        <translation>New folder</translation>
    </message>
    <message>
        <source>Введи название</source>
        <translation>Enter a name</translation>
    </message>
    <message>
        <source>Ошибка при создании папки - </source>
        <translation>Could not create the folder - </translation>
    </message>
    <message>
        <source>Папка: </source>
        <translation>Folder: </translation>
    </message>
    <message>
        <source>Файл: </source>
        <translation>File: </translation>
    </message>
    <message>
        <source>Меняем имя : </source>
        <translation>Rename: </translation>
    </message>
    <message>
        <source> - на  -</source>
        <translation> - to - </translation>
    </message>
</context>
<context>
    <name>TRF</name>
    <message>
        <source>Поиск в файле</source>
        <translation>Find in file</translation>
    </message>
    <message>
        <source>Просмотр содержимого файлов  V1.4</source>
        <translation>File viewer  V1.4</translation>
    </message>
    <message>
        <source>Содержимое файла</source>
        <translation>File contents</translation>
    </message>
    <message>
        <source>Режимы просмотра</source>
        <translation>View modes</translation>
    </message>
    <message>
        <source>Переключение кодировки</source>
        <translation>Switch the encoding</translation>
    </message>
    <message>
        <source>Завернуть длинные строки</source>
        <translation>Wrap long lines</translation>
    </message>
    <message>
        <source>Искать &gt;</source>
        <translation>Find &gt;</translation>
    </message>
    <message>
        <source>Введи текст для поиска</source>
        <translation>Enter the text to find</translation>
    </message>
    <message>
        <source>Выход - Esc</source>
        <translation>Close - Esc</translation>
    </message>
    <message>
        <source>- не найдено</source>
        <translation> - not found</translation>
    </message>
    <message>
        <source>Файл большой! Включи - HEX </source>
        <translation>The file is large. Switch to HEX </translation>
    </message>
    <message>
        <source> - не найдено</source>
        <translation> - not found</translation>
    </message>
</context>
<context>
    <name>TSHPIC</name>
    <message>
        <source> Просмотр изображений</source>
        <translation> Picture viewer</translation>
    </message>
    <message>
        <source>Загрузка изображения...</source>
        <translation>Loading the picture...</translation>
    </message>
    <message>
        <source> Изображение:   </source>
        <translation> Picture:   </translation>
    </message>
</context>
<context>
    <name>TSelekt</name>
    <message>
        <source>Режимы выделения</source>
        <translation>Selection modes</translation>
    </message>
    <message>
        <source>По</source>
        <translation>By</translation>
    </message>
    <message>
        <source>маске:</source>
        <translation>mask:</translation>
    </message>
    <message>
        <source>Маска</source>
        <translation>Mask</translation>
    </message>
    <message>
        <source>Выполнить</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Режим выделения</source>
        <translation>Selection mode</translation>
    </message>
    <message>
        <source>Выделение</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Выделение недостающих</source>
        <translation>Select missing</translation>
    </message>
    <message>
        <source>Исключение</source>
        <translation>Unselect</translation>
    </message>
    <message>
        <source>Реверсирование</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Выберите папку для выполнения сравнения файлов</source>
        <translation>Choose the folder to compare the files with</translation>
    </message>
</context>
<context>
    <name>TSet1</name>
    <message>
        <source> Выбери , что нравится.</source>
        <translation> Settings</translation>
    </message>
    <message>
        <source>Внешние смотрелки</source>
        <translation>Outside viewers</translation>
    </message>
    <message>
        <source>Внешний редактор</source>
        <translation>Outside editor</translation>
    </message>
    <message>
        <source>Выбрать программу: </source>
        <translation>Choose a program: </translation>
    </message>
    <message>
        <source> Для текстов:</source>
        <translation> For texts:</translation>
    </message>
    <message>
        <source>Для графики:</source>
        <translation>For pictures:</translation>
    </message>
    <message>
        <source>Не &quot;Блокнот&quot;:</source>
        <translation>Not the default:</translation>
    </message>
    <message>
        <source>Другие настройки</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>Размер шрифта системы</source>
        <translation>System font size</translation>
    </message>
    <message>
        <source>Вернуться</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>&apos;%1&apos; - не размер шрифта: нужно целое число от %2 до %3</source>
        <translation>&apos;%1&apos; is not a font size: a whole number from %2 to %3 is needed</translation>
    </message>
</context>
<context>
    <name>TransferRate</name>
    <message>
        <source> объект(ов)/с</source>
        <translation> items/s</translation>
    </message>
    <message>
        <source>байт/с</source>
        <translation>bytes/s</translation>
    </message>
    <message>
        <source>КБ/с</source>
        <translation>KB/s</translation>
    </message>
    <message>
        <source>МБ/с</source>
        <translation>MB/s</translation>
    </message>
    <message>
        <source>ГБ/с</source>
        <translation>GB/s</translation>
    </message>
</context>
<context>
    <name>TrashFolder</name>
    <message>
        <source>Корзина не знает, откуда удалён этот объект.</source>
        <translation>The trash does not know where this item was deleted from.</translation>
    </message>
    <message>
        <source>Нельзя восстановить: место «%1» уже занято.</source>
        <translation>Cannot restore: “%1” is already taken.</translation>
    </message>
</context>
<context>
    <name>UndoCommand</name>
    <message>
        <source>Отменить </source>
        <translation>Undo </translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Отмена операции...</source>
        <translation>Undoing...</translation>
    </message>
</context>
<context>
    <name>UndoJournal</name>
    <message>
        <source>копирование</source>
        <translation>copy</translation>
    </message>
    <message>
        <source>перемещение</source>
        <translation>move</translation>
    </message>
    <message>
        <source>удаление в корзину</source>
        <translation>move to trash</translation>
    </message>
    <message>
        <source>переименование</source>
        <translation>rename</translation>
    </message>
    <message>
        <source>создание папки</source>
        <translation>new folder</translation>
    </message>
    <message>
        <source> объект(ов)</source>
        <translation> item(s)</translation>
    </message>
</context>
<context>
    <name>UndoOperation</name>
    <message>
        <source>Отменить: </source>
        <translation>Undo: </translation>
    </message>
    <message>
        <source><byte value="xd"/>
Заменённые файлы не вернутся (их не удалось поместить в корзину):<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
Replaced files will not come back (they could not go to the trash):<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Не отменено: изменилось после операции или место занято:<byte value="xd"/>
</source>
        <translation>Not undone: changed after the operation, or the place is taken:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Отмена операции</source>
        <translation>Undo</translation>
    </message>
</context>
<context>
    <name>Volume</name>
    <message>
        <source>Диск</source>
        <translation>Drive</translation>
    </message>
</context>
<context>
    <name>VolumeEject</name>
    <message>
        <source>Нет такого тома: </source>
        <translation>No such volume: </translation>
    </message>
</context>
<context>
    <name>WmfRenderer</name>
    <message>
        <source>файл пуст</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>файл обрезан</source>
        <translation>the file is truncated</translation>
    </message>
    <message>
        <source>нет заголовка метафайла</source>
        <translation>no metafile header</translation>
    </message>
    <message>
        <source>неверная запись</source>
        <translation>bad record</translation>
    </message>
    <message>
        <source>пустая рамка</source>
        <translation>empty frame</translation>
    </message>
    <message>
        <source>метафайл не задаёт размеров</source>
        <translation>the metafile sets no size</translation>
    </message>
    <message>
        <source>недостаточно памяти</source>
        <translation>not enough memory</translation>
    </message>
</context>
<context>
    <name>quil::FavouriteFolders</name>
    <message>
        <source>Убрано из избранного: %1</source>
        <translation>Removed from favourites: %1</translation>
    </message>
    <message>
        <source>В избранном уже %1 папок</source>
        <translation>The favourites already hold %1 folders</translation>
    </message>
    <message>
        <source>Добавлено в избранное: %1</source>
        <translation>Added to favourites: %1</translation>
    </message>
    <message>
        <source>Избранных папок нет: Ctrl+D добавляет открытую папку</source>
        <translation>No favourite folders: Ctrl+D adds the open folder</translation>
    </message>
</context>
<context>
    <name>quil::FileDragDrop</name>
    <message>
        <source>Перетаскивание отменено: это не файлы этого компьютера</source>
        <translation>Drop refused: these are not files of this computer</translation>
    </message>
</context>
<context>
    <name>quil::MarksController</name>
    <message>
        <source>Размер папки в сетевой папке или архиве не считается</source>
        <translation>Folder sizes are not counted in network folders and archives</translation>
    </message>
</context>
<context>
    <name>quil::ReadingWait</name>
    <message>
        <source>Чтение папки: %1</source>
        <translation>Reading: %1</translation>
    </message>
</context>
<context>
    <name>quil::SearchWindowController</name>
    <message>
        <source>Поиск в сетевых папках и архивах не выполняется: </source>
        <translation>Network folders and archives are not searched: </translation>
    </message>
</context>
</TS>
