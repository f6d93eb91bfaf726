object Shop: TTestModule
  object ShopDatabase: TDVDatabase
    DatabaseName = 'shop'
    RemoteDatabase = 'shop.db'
    ServerType = stSQLite
  end
  object OrdersTable: TDVTable
    DatabaseName = 'shop'
    MasterFields = 'order_id'
    MasterSource = LinesSource
    TableName = 'orders'
    Active = True
  end
  object OrdersSource: TDataSource
    DataSet = OrdersTable
  end
  object LinesTable: TDVTable
    DatabaseName = 'shop'
    MasterFields = 'id'
    MasterSource = OrdersSource
    TableName = 'lines'
    Active = True
  end
  object LinesSource: TDataSource
    DataSet = LinesTable
  end
end
